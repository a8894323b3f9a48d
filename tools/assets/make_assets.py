#!/usr/bin/env python3
"""Generates Zandrel's embedded pictures into assets/.

Standard library only (PNG written with zlib + struct); every random choice comes from a fixed seed, so running
the script twice gives the same bytes. JPEGs are encoded by ImageMagick (/usr/bin/convert) from a generated PNG.

    python3 tools/assets/make_assets.py [output-dir]
"""
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

OUT = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
CONVERT = "/usr/bin/convert"  # /usr/local/bin/convert may be a wrapper; use the real ImageMagick


# ---------------------------------------------------------------- PNG / ICO writers

def png_bytes(width, height, rows, alpha):
    """rows: list of bytearrays, RGBA (alpha) or RGB per pixel."""
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def rgba_rows(img):
    """img: list of rows of (r, g, b, a) floats 0..1 (straight alpha)."""
    out = []
    for row in img:
        b = bytearray()
        for r, g, bl, a in row:
            b += bytes((q(r), q(g), q(bl), q(a)))
        out.append(b)
    return out


def q(v):
    return max(0, min(255, int(round(v * 255))))


def ico_bytes(width, height, img):
    """A one-image ICO with a 32-bpp BMP payload (BGRA bottom-up + AND mask)."""
    xor = bytearray()
    for row in reversed(img):
        for r, g, b, a in row:
            xor += bytes((q(b), q(g), q(r), q(a)))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] <= 0.0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    payload = header + xor + mask
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(payload), 6 + 16)
    return struct.pack("<HHH", 0, 1, 1) + entry + payload


# ---------------------------------------------------------------- shapes (coverage by supersampling)

SS = 5  # subsamples per axis


def coverage(width, height, inside):
    cov = [[0.0] * width for _ in range(height)]
    step = 1.0 / SS
    for y in range(height):
        for x in range(width):
            n = 0
            for sy in range(SS):
                for sx in range(SS):
                    if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                        n += 1
            cov[y][x] = n / (SS * SS)
    return cov


def in_rect(px, py, x0, y0, x1, y1):
    return x0 <= px < x1 and y0 <= py < y1


def in_frame(px, py, x0, y0, x1, y1, t, top=None):
    """Outline of a rectangle, stroke t, optional thicker top edge."""
    top = t if top is None else top
    return in_rect(px, py, x0, y0, x1, y1) and not in_rect(px, py, x0 + t, y0 + top, x1 - t, y1 - t)


def dist_seg(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def in_round_rect(px, py, x0, y0, x1, y1, r):
    cx = min(max(px, x0 + r), x1 - r)
    cy = min(max(py, y0 + r), y1 - r)
    return math.hypot(px - cx, py - cy) <= r


def blur(img, radius):
    h, w = len(img), len(img[0])
    for _ in range(2):  # two box passes approximate a gaussian
        tmp = [[sum(img[y][max(0, min(w - 1, x + k))] for k in range(-radius, radius + 1)) / (2 * radius + 1)
                for x in range(w)] for y in range(h)]
        img = [[sum(tmp[max(0, min(h - 1, y + k))][x] for k in range(-radius, radius + 1)) / (2 * radius + 1)
                for x in range(w)] for y in range(h)]
    return img


def glyph(width, height, inside, shadow_alpha=0.75):
    """A white symbol with a soft dark shadow (offset 1,1) on a transparent ground."""
    cov = coverage(width, height, inside)
    grown = [[0.0] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            if x >= 1 and y >= 1:
                grown[y][x] = cov[y - 1][x - 1]
    sh = blur(grown, 1)
    img = []
    for y in range(height):
        row = []
        for x in range(width):
            c = cov[y][x]
            s = min(1.0, sh[y][x] * shadow_alpha * 1.6) * shadow_alpha
            a = c + s * (1 - c)
            v = c / a if a > 0 else 0.0  # white over black, straight alpha
            row.append((v, v, v, a))
        img.append(row)
    return img


def caption_glyphs():
    W, H = 26, 18
    cx, cy = 13.0, 9.0

    def help_(px, py):  # speech bubble: rounded outline with a tail at the lower left
        outer = in_round_rect(px, py, cx - 6.5, cy - 5.5, cx + 6.5, cy + 3.0, 2.5)
        inner = in_round_rect(px, py, cx - 5.0, cy - 4.0, cx + 5.0, cy + 1.5, 1.2)
        tail = dist_seg(px, py, cx - 3.0, cy + 2.5, cx - 4.5, cy + 5.5) <= 0.8 or \
            dist_seg(px, py, cx - 4.5, cy + 5.5, cx - 0.5, cy + 2.6) <= 0.8
        dots = any(math.hypot(px - (cx + d), py - (cy - 1.2)) <= 0.9 for d in (-2.8, 0.0, 2.8))
        return (outer and not inner) or tail or dots

    def menu(px, py):  # a window with a title bar and three menu lines
        frame = in_frame(px, py, cx - 6, cy - 5, cx + 6, cy + 5, 1.2, top=2.6)
        lines = any(in_rect(px, py, cx - 3.5, cy - 1.3 + 2.3 * i, cx + (3.5 if i != 1 else 1.5), cy - 0.1 + 2.3 * i)
                    for i in range(3))
        return frame or lines

    def minimise(px, py):
        return in_rect(px, py, cx - 5, cy + 2, cx + 5, cy + 4)

    def maximise(px, py):
        return in_frame(px, py, cx - 5, cy - 5, cx + 5, cy + 4, 1.1, top=2.2)

    def restore(px, py):
        front = in_frame(px, py, cx - 5.5, cy - 2, cx + 2.5, cy + 5, 1.1, top=2.0)
        back = in_frame(px, py, cx - 2.5, cy - 5, cx + 5.5, cy + 2, 1.1, top=2.0)
        return front or (back and not in_rect(px, py, cx - 5.5, cy - 2, cx + 2.5, cy + 5))

    def close(px, py):  # 38 wide
        c = 19.0
        return dist_seg(px, py, c - 4.5, cy - 4.5, c + 4.5, cy + 4.5) <= 1.05 or \
            dist_seg(px, py, c - 4.5, cy + 4.5, c + 4.5, cy - 4.5) <= 1.05

    for name, fn in (("glyph_help.png", help_), ("glyph_menu.png", menu), ("glyph_minimize.png", minimise),
                     ("glyph_maximize.png", maximise), ("glyph_restore.png", restore)):
        write(name, png_bytes(W, H, rgba_rows(glyph(W, H, fn)), True))
    write("glyph_close.png", png_bytes(38, H, rgba_rows(glyph(38, H, close)), True))


# ---------------------------------------------------------------- check boxes and arrows

def check_boxes():
    n = 13
    border = (0x5A / 255, 0x6E / 255, 0x78 / 255)
    teal = (0.0, 128 / 255, 128 / 255)

    def box():
        img = []
        for y in range(n):
            row = []
            for x in range(n):
                edge = x in (0, n - 1) or y in (0, n - 1)
                corner = x in (0, n - 1) and y in (0, n - 1)
                if edge:
                    row.append(border + (0.55 if corner else 1.0,))
                else:  # white face that greys slightly downwards, with a light inner rim
                    t = (y - 1) / (n - 3)
                    v = 1.0 - 0.12 * t
                    if x in (1, n - 2) or y in (1, n - 2):
                        v -= 0.06
                    row.append((v, v, v + 0.01 if v < 1 else v, 1.0))
            img.append(row)
        return img

    empty = box()
    write("checkbox_empty.png", png_bytes(n, n, rgba_rows(empty), True))

    tick = coverage(n, n, lambda px, py: dist_seg(px, py, 3.0, 6.6, 5.4, 9.2) <= 1.0 or
                    dist_seg(px, py, 5.4, 9.2, 10.0, 3.6) <= 1.0)
    checked = []
    for y in range(n):
        row = []
        for x in range(n):
            r, g, b, a = empty[y][x]
            c = tick[y][x] if 0 < x < n - 1 and 0 < y < n - 1 else 0.0
            row.append((r * (1 - c) + teal[0] * c, g * (1 - c) + teal[1] * c, b * (1 - c) + teal[2] * c, a))
        checked.append(row)
    write("checkbox_checked.png", png_bytes(n, n, rgba_rows(checked), True))


def arrows():
    down = [[(0, 0, 0, 1.0 if y <= x <= 6 - y else 0.0) for x in range(7)] for y in range(4)]
    up = list(reversed(down))
    right = [[(0, 0, 0, 1.0 if x <= min(y, 6 - y) else 0.0) for x in range(4)] for y in range(7)]
    left = [list(reversed(r)) for r in right]
    write("arrow_down.png", png_bytes(7, 4, rgba_rows(down), True))
    write("arrow_up.png", png_bytes(7, 4, rgba_rows(up), True))
    write("arrow_left.png", png_bytes(4, 7, rgba_rows(left), True))
    write("arrow_right.png", png_bytes(4, 7, rgba_rows(right), True))


# ---------------------------------------------------------------- wood

class Noise1D:
    """Smooth 1-D value noise on a fixed random lattice."""

    def __init__(self, rng, size=4096):
        self.v = [rng.random() * 2 - 1 for _ in range(size)]
        self.n = size

    def __call__(self, t):
        i = math.floor(t)
        f = t - i
        f = f * f * (3 - 2 * f)
        a = self.v[i % self.n]
        b = self.v[(i + 1) % self.n]
        return a + (b - a) * f

    def fbm(self, t, octaves=4):
        s, amp, tot = 0.0, 1.0, 0.0
        for o in range(octaves):
            s += amp * self(t * (2 ** o) + 17.3 * o)
            tot += amp
            amp *= 0.5
        return s / tot


def wood():
    W, H = 1366, 150
    rng = random.Random(20240611)
    warp_a, warp_b, grain, fibre, tone, contrast = (Noise1D(rng) for _ in range(6))
    knots = [(310, 92, 7.0, 26.0), (1012, 41, 5.5, 20.0)]  # x, y, core radius, influence radius
    dark = (34, 20, 11)
    mid = (78, 48, 27)
    light = (112, 72, 42)
    rows = []
    for y in range(H):
        row = bytearray()
        wy = warp_a.fbm(y * 0.006, 3) * 6.0
        for x in range(W):
            # Grain coordinate: x bent slowly along y, so the fibres run vertically and wander.
            u = x + wy + warp_b.fbm(x * 0.004 + y * 0.009, 3) * 7.0
            knot_dark = 0.0
            for kx, ky, kr, ir in knots:
                dx, dy = x - kx, (y - ky) * 0.7
                d = math.hypot(dx, dy)
                if d < ir * 2.5:
                    # Grain flows around the knot: push the grain coordinate away from its centre.
                    push = ir * math.exp(-(d / ir) ** 2) * min(1.0, abs(dx) / kr)
                    u += push * (1 if dx >= 0 else -1)
                    if d < kr:
                        knot_dark = max(knot_dark, (1 - d / kr) ** 0.7)
            # Broad bands (late/early wood) plus fine fibres.
            band = grain.fbm(u * 0.045, 4)
            line = 0.5 + 0.5 * math.sin(u * 0.55 + band * 6.0)
            line = line ** 6 * (0.55 + 0.45 * contrast.fbm(u * 0.02 + y * 0.004, 2))
            fib = fibre(u * 1.7 + y * 0.02) * 0.5 + fibre(u * 4.1) * 0.25
            t = 0.5 + 0.45 * band - 0.35 * line + 0.12 * fib + 0.08 * tone.fbm(x * 0.002 + 50, 2)
            t = max(0.0, min(1.0, t))
            if t < 0.5:
                k = t / 0.5
                c = [dark[i] + (mid[i] - dark[i]) * k for i in range(3)]
            else:
                k = (t - 0.5) / 0.5
                c = [mid[i] + (light[i] - mid[i]) * k for i in range(3)]
            if knot_dark:
                c = [ci * (1 - 0.6 * knot_dark) for ci in c]
            # Darken towards the left and right edges (and a touch towards top and bottom).
            ex = abs(x - (W - 1) / 2) / ((W - 1) / 2)
            ey = abs(y - (H - 1) / 2) / ((H - 1) / 2)
            shade = (1 - 0.62 * ex ** 2.4) * (1 - 0.12 * ey ** 3)
            grainy = rng.uniform(-3.0, 3.0)
            row += bytes(max(0, min(255, int(ci * shade + grainy))) for ci in c)
        rows.append(row)
    write("wood_background.png", png_bytes(W, H, rows, False))


# ---------------------------------------------------------------- icon and banners

TEAL = (0x22 / 255, 0xCA / 255, 0xDD / 255)
GOLD = (0xF2 / 255, 0xB5 / 255, 0x3A / 255)


def icon():
    W, H = 102, 95
    sq = coverage(W, H, lambda px, py: in_round_rect(px, py, 3, 2, 99, 93, 18))
    tag = coverage(W, H, lambda px, py: in_tag(px, py) and math.hypot(px - 33, py - 33) > 5)
    ring = coverage(W, H, lambda px, py: 12.5 <= math.hypot(px - 58, py - 54) <= 19.5)
    lens = coverage(W, H, lambda px, py: math.hypot(px - 58, py - 54) < 12.5)
    handle = coverage(W, H, lambda px, py: dist_seg(px, py, 72, 68, 86, 82) <= 5.0)
    img = []
    for y in range(H):
        row = []
        for x in range(W):
            t = y / (H - 1)  # teal face, lighter at the top
            r, g, b = (TEAL[0] * (1.15 - 0.35 * t), TEAL[1] * (1.15 - 0.35 * t), TEAL[2] * (1.1 - 0.3 * t))
            a = sq[y][x]
            for cov, col in ((tag[y][x], GOLD), (lens[y][x] * 0.35, (1, 1, 1)), (ring[y][x], (0.13, 0.16, 0.2)),
                             (handle[y][x], (0.13, 0.16, 0.2))):
                r, g, b = r + (col[0] - r) * cov, g + (col[1] - g) * cov, b + (col[2] - b) * cov
            row.append((min(r, 1), min(g, 1), min(b, 1), a))
        img.append(row)
    write("zandrel.ico", ico_bytes(W, H, img))
    return img


def in_tag(px, py):
    """A price tag pointing to the upper left, body rotated 45 degrees."""
    c, s = math.cos(math.radians(45)), math.sin(math.radians(45))
    u = (px - 40) * c + (py - 40) * s  # along the tag
    v = -(px - 40) * s + (py - 40) * c
    if -22 <= u <= 18 and abs(v) <= 14:
        return u >= -22 + abs(v) * 0.75 or u >= -11  # pointed end
    return False


def banner_png(W, H, seed, palette):
    rng = random.Random(seed)
    circles = [(rng.uniform(0, W), rng.uniform(0, H), rng.uniform(18, 70), rng.choice(palette[2:]), rng.uniform(0.2, 0.5))
               for _ in range(11)]
    rows = []
    top, bottom = palette[0], palette[1]
    for y in range(H):
        row = bytearray()
        for x in range(W):
            t = (x / W * 0.35 + y / H * 0.65)
            c = [top[i] + (bottom[i] - top[i]) * t for i in range(3)]
            if ((x + y) // 14) % 2 == 0:  # faint diagonal stripes
                c = [ci * 0.96 for ci in c]
            for cx, cy, r, col, a in circles:
                d = math.hypot(x - cx, y - cy)
                if d < r:
                    k = a * min(1.0, (r - d) / 2.0)
                    c = [c[i] + (col[i] - c[i]) * k for i in range(3)]
            row += bytes(max(0, min(255, int(ci))) for ci in c)
        rows.append(row)
    return png_bytes(W, H, rows, False)


def jpeg(name, png, quality):
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "in.png")
        with open(src, "wb") as f:
            f.write(png)
        subprocess.run([CONVERT, src, "-strip", "-quality", str(quality), "-sampling-factor", "4:2:0",
                        os.path.join(OUT, name)], check=True)


def main():
    os.makedirs(OUT, exist_ok=True)
    caption_glyphs()
    check_boxes()
    arrows()
    icon()
    wood()
    jpeg("promotion.jpg", banner_png(305, 317, 7, [(20, 60, 80), (8, 20, 34), (34, 202, 221), (242, 181, 58),
                                                     (240, 240, 240)]), 92)
    jpeg("test_banner.jpg", banner_png(191, 254, 11, [(70, 30, 20), (20, 10, 8), (242, 181, 58), (200, 90, 40),
                                                       (250, 230, 200)]), 90)


if __name__ == "__main__":
    main()
