// Fixtures shared by the query-run tests: test endpoints, request URLs and marketplace answers.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "query/endpoints.h"
#include "query/gbk_texts.h"

namespace zandrel::testing {

inline Endpoints TestEndpoints() {
    Endpoints e;
    e.suggestHost = "sug.test";
    e.suggestHost2 = "sug2.test:8080";
    e.searchHost = "s.test";
    return e;
}

// Source URLs for an ASCII keyword (written out here, not built by the code under test).
inline std::string UrlA(const std::string& kw) {
    return "http://sug.test/sug?code=utf-8&q=" + kw + "&callback=jsonp1304&k=1&area=c2c&bucketid=5";
}
inline std::string UrlB(const std::string& kw) {
    return "http://sug.test/sug?code=utf-8&callback=?&q=" + kw;
}
inline std::string UrlC(const std::string& kw) {
    return "http://sug2.test:8080/sug?code=utf-8&q=" + kw + "&callback=jsonp630&area=etao&k=1";
}

// A source-A style answer: jsonp1304({"result":[["kw","count"],...]}).
inline std::string Answer(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string s = "jsonp1304({\"result\":[";
    for (size_t i = 0; i < entries.size(); ++i) {
        s += (i ? ",[\"" : "[\"") + entries[i].first + "\",\"" + entries[i].second + "\"]";
    }
    return s + "]})";
}

// Keywords of the source-A requests, in order.
inline std::vector<std::string> QueriedKeywords(const std::vector<std::string>& requests) {
    const std::string head = "http://sug.test/sug?code=utf-8&q=";
    const std::string tail = "&callback=jsonp1304&k=1&area=c2c&bucketid=5";
    std::vector<std::string> keywords;
    for (const std::string& r : requests) {
        if (r.rfind(head, 0) == 0 && r.size() >= head.size() + tail.size()) {
            keywords.push_back(r.substr(head.size(), r.size() - head.size() - tail.size()));
        }
    }
    return keywords;
}

inline std::string RelatedUrl(const std::string& encodedKeyword) {
    return "http://s.test/search?&q=" + encodedKeyword;
}

// A search page: padding past byte 50000, the heading, one link per text, then "所有宝贝".
inline std::string RelatedPage(const std::vector<std::string>& linkTexts) {
    std::string page = "<html>" + std::string(50000, ' ') + "<div>" + gbk::kRelatedHeading + "</div>";
    for (const std::string& t : linkTexts) {
        page += "<a href=\"/search?q=" + t + "&amp;from=rs\">" + t + "<span class=\"rs-icon\"></span></a>";
    }
    return page + "<h3>" + gbk::kAllItems + "</h3></html>";
}

}  // namespace zandrel::testing
