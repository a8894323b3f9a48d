"""Write a UTF-16LE .reg (with BOM: Wine's regedit reads BOM-less files as ANSI) for the test and run prefix:
- map the Chinese and UI font faces the program asks for to WenQuanYi Zen Hei, so standard controls and GDI+
  show Chinese text;
- leave windows unmanaged: there is no window manager under Xvfb, and a managed window that is hidden or
  destroyed makes Wine wait two seconds for a window manager that never answers."""
import sys

TARGET = "WenQuanYi Zen Hei"
SUBST = ["SimSun", "宋体", "NSimSun", "新宋体", "MS Shell Dlg", "MS Shell Dlg 2",
         "Tahoma", "Microsoft YaHei", "微软雅黑"]
LINKED = ["DejaVu Sans", "DejaVu Sans Bold", "System", "Arial"]  # fallback faces -> glyph fallback to WQY


def multi_sz(*items):
    raw = ("\0".join(items) + "\0\0").encode("utf-16-le")
    return "hex(7):" + ",".join(f"{b:02x}" for b in raw)


lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]"]
lines += [f'"{n}"="{TARGET}"' for n in SUBST]
lines += ["", r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]"]
lines += [f'"{n}"={multi_sz("wqy-zenhei.ttc," + TARGET)}' for n in LINKED]
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"']
data = ("\r\n".join(lines) + "\r\n").encode("utf-16-le")
with open(sys.argv[1], "wb") as f:
    f.write(b"\xff\xfe" + data)
