"""Write a UTF-16LE .reg (with BOM: Wine's regedit reads BOM-less files as ANSI) for the test and run prefix:
- map the Chinese and UI font faces the program asks for to WenQuanYi Micro Hei (no embedded bitmap strikes,
  which make 12-pixel Chinese rough and hard to read), so standard controls and GDI+ show Chinese text;
- turn font smoothing on, for text that reads cleanly at 12 pixels;
- leave windows unmanaged: there is no window manager under Xvfb, and a managed window that is hidden or
  destroyed makes Wine wait two seconds for a window manager that never answers."""
import sys

TARGET = "WenQuanYi Micro Hei"
SUBST = ["SimSun", "宋体", "NSimSun", "新宋体", "MS Shell Dlg", "MS Shell Dlg 2",
         "Tahoma", "Microsoft YaHei", "微软雅黑"]
LINKED = ["DejaVu Sans", "DejaVu Sans Bold", "System", "Arial"]  # fallback faces -> glyph fallback to WQY
FONT_FILE = "wqy-microhei.ttc"


def multi_sz(*items):
    raw = ("\0".join(items) + "\0\0").encode("utf-16-le")
    return "hex(7):" + ",".join(f"{b:02x}" for b in raw)


lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]"]
lines += [f'"{n}"="{TARGET}"' for n in SUBST]
lines += ["", r"[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]"]
lines += [f'"{n}"={multi_sz(FONT_FILE + "," + TARGET)}' for n in LINKED]
lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Managed"="N"']
lines += ["", r"[HKEY_CURRENT_USER\Control Panel\Desktop]", '"FontSmoothing"="2"',
          '"FontSmoothingType"=dword:00000002', '"FontSmoothingOrientation"=dword:00000001',
          '"FontSmoothingGamma"=dword:00000578']
data = ("\r\n".join(lines) + "\r\n").encode("utf-16-le")
with open(sys.argv[1], "wb") as f:
    f.write(b"\xff\xfe" + data)
