"""Prints a C++ string literal holding the GBK bytes of each argument, for the program's own texts."""
import sys

HEX = set("0123456789abcdefABCDEF")


def literal(text):
    out, after_escape = [], False
    for b in text.encode("gbk"):
        if 0x20 <= b < 0x7F and b not in (0x22, 0x5C):
            ch = chr(b)
            if after_escape and ch in HEX:
                out.append('""')  # keep the escape from swallowing the digit
            out.append(ch)
            after_escape = False
        else:
            out.append(f"\\x{b:02x}")
            after_escape = True
    return '"' + "".join(out) + '"'


for text in sys.argv[1:]:
    print(f"{literal(text)}  // {text}")
