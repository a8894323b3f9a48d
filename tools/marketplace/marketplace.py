#!/usr/bin/env python3
"""Simulated marketplace for trying Zandrel without the real services (Python 3 standard library only).

Serves on 127.0.0.1:
  GET /sug?code=utf-8&q=<kw>&callback=jsonp1304&k=1&area=c2c&bucketid=5   suggestion source A (JSONP, UTF-8)
  GET /sug?code=utf-8&callback=?&q=<kw>                                    suggestion source B
  GET /sug?code=utf-8&q=<kw>&callback=jsonp630&area=etao&k=1               suggestion source C
  GET /search?&q=<GBK percent-encoded kw>   search page (GBK, > 50,000 bytes) with a "你是不是想找" block
  GET /banner.jpg                           the file given with --banner (404 without one)
  GET /promo1, /promo2                      small promotional pages
Answers are deterministic per keyword. Each appended suggestion adds one space-separated word, and the
number of entries falls with the number of words, so depth-2 and depth-3 runs stay small.

Options: --port N (default 18080, 0 picks a free port), --delay-ms N (delay before every answer),
--log FILE (one request target per line, as received), --banner FILE.
Prints "listening on PORT" once ready.
"""

import argparse
import http.server
import socket
import sys
import threading
import time
import urllib.parse
import zlib

SUFFIXES_A = ["夏", "新款", "韩版"]
SUFFIXES_B = ["夏", "显瘦"]  # the first repeats source A's, as the real services often do
SUFFIXES_C = ["长款", "雪纺"]
RELATED_SUFFIXES = ["同款", "推荐", "热卖", "包邮", "特价"]
PAD_BYTES = 52000  # the program looks for the related-search block only from byte 50000 on


def level(keyword):
    """How many words the keyword has beyond the first."""
    return len(keyword.split()) - 1 if keyword.strip() else 0


def listing_count(keyword):
    return str(zlib.crc32(keyword.encode("utf-8")) % 900000 + 1000)


def json_text(text):
    return text.replace("\\", "\\\\").replace('"', '\\"')


def suggestions(keyword, suffixes, limit):
    return [keyword + " " + s for s in suffixes[: max(0, limit)]]


def sug_answer(params):
    keyword = params.get("q", [""])[0]
    callback = params.get("callback", [""])[0]
    n = level(keyword)
    if not keyword:
        return callback + '({"result":[]})'
    if callback == "jsonp1304":
        entries = []
        for i, kw in enumerate(suggestions(keyword, SUFFIXES_A, 3 - n)):
            shown = json_text(kw)
            if i == 1:  # the service marks the completed part in bold, with the JSON-escaped end tag
                shown = json_text(keyword) + "<b>" + json_text(kw[len(keyword):]) + "<\\/b>"
            entries.append('["%s","%s"]' % (shown, listing_count(kw)))
        return ('jsonp1304({"result":[%s],"cat":[["50010850","%s"]]})'
                % (",".join(entries), json_text(keyword)))
    if callback == "?":
        entries = ['["%s","%s"]' % (json_text(kw), listing_count(kw))
                   for kw in suggestions(keyword, SUFFIXES_B, 2 - n)]
        return '?({"result":[%s],"cat":[["16","%s"]]})' % (",".join(entries), json_text(keyword))
    if callback == "jsonp630":
        entries = ['["%s","%s"]' % (json_text(kw), listing_count(kw))
                   for kw in suggestions(keyword, SUFFIXES_C, 2 - n)]
        return 'jsonp630({"result":[%s]})' % ",".join(entries)
    return callback + '({"result":[]})'


def search_page(keyword):
    """GBK bytes of a search result page."""
    head = ("<html><head><title>%s - 淘宝搜索</title></head><body>\n" % keyword).encode("gbk", "replace")
    # A decoy link inside the padding: it lies before byte 50000 and must not be taken.
    pad = b'<!-- <a href="/search?q=decoy">decoy<span class="x"></span></a> -->\n<script>/*'
    pad += b"x" * (PAD_BYTES - len(pad)) + b"*/</script>\n"
    if not keyword.strip():
        return head + pad + "<div>所有宝贝</div></body></html>".encode("gbk")
    links = max(2, 5 - level(keyword))
    block = '<div class="rs"><h4>你是不是想找</h4>\n'
    for s in RELATED_SUFFIXES[:links]:
        text = keyword + " " + s
        href = "/search?q=" + urllib.parse.quote(text.encode("gbk", "replace")) + "&amp;from=rs"
        block += '<a href="%s">%s<span class="rs-icon"></span></a>\n' % (href, text)
    block += '</div>\n<div class="tabs"><a>所有宝贝</a></div>\n'
    return head + pad + block.encode("gbk", "replace") + b"</body></html>"


class Handler(http.server.BaseHTTPRequestHandler):
    server_version = "marketplace/1.0"
    protocol_version = "HTTP/1.1"

    def setup(self):
        super().setup()
        # Headers and body go out in separate writes; without this each small answer waits for the
        # client's delayed acknowledgement.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    def parse_request(self):
        # The suggestion keyword may arrive with raw spaces; take the request target as everything between
        # the method and the version.
        words = self.raw_requestline.rstrip(b"\r\n").split(b" ")
        self.received_target = b" ".join(words[1:-1]).decode("latin-1")
        if len(words) > 3 and words[-1].startswith(b"HTTP/"):
            self.raw_requestline = b" ".join([words[0], b"%20".join(words[1:-1]), words[-1]]) + b"\r\n"
        return super().parse_request()

    def log_message(self, fmt, *args):
        pass

    def send_body(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        cfg = self.server.cfg
        if cfg.log:
            with cfg.log_lock, open(cfg.log, "a", encoding="latin-1") as f:
                f.write(getattr(self, "received_target", self.path) + "\n")
        if cfg.delay_ms > 0:
            time.sleep(cfg.delay_ms / 1000.0)
        url = urllib.parse.urlsplit(self.path)
        if url.path == "/sug":
            params = urllib.parse.parse_qs(url.query, keep_blank_values=True, encoding="utf-8", errors="replace")
            self.send_body(200, sug_answer(params).encode("utf-8"), "text/javascript; charset=utf-8")
        elif url.path == "/search":
            params = urllib.parse.parse_qs(url.query, keep_blank_values=True, encoding="gbk", errors="replace")
            self.send_body(200, search_page(params.get("q", [""])[0]), "text/html; charset=gbk")
        elif url.path == "/banner.jpg" and cfg.banner:
            try:
                with open(cfg.banner, "rb") as f:
                    data = f.read()
            except OSError:
                self.send_body(404, b"<html>not found</html>", "text/html")
                return
            self.send_body(200, data, "image/jpeg")
        elif url.path in ("/promo1", "/promo2"):
            page = "<html><body><h1>店铺推广 %s</h1></body></html>" % url.path[-1]
            self.send_body(200, page.encode("utf-8"), "text/html; charset=utf-8")
        else:
            self.send_body(404, b"<html><body>404 Not Found</body></html>", "text/html")


def main(argv=None):
    parser = argparse.ArgumentParser(description="Simulated marketplace for Zandrel")
    parser.add_argument("--port", type=int, default=18080)
    parser.add_argument("--delay-ms", type=int, default=0)
    parser.add_argument("--log", default="")
    parser.add_argument("--banner", default="")
    cfg = parser.parse_args(argv)
    cfg.log_lock = threading.Lock()
    if cfg.log:
        open(cfg.log, "w").close()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", cfg.port), Handler)
    server.daemon_threads = True
    server.cfg = cfg
    print("listening on %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
