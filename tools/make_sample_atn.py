#!/usr/bin/env python3
"""Writes the sample action set shipped with atnlingo (action file version 16).

    make_sample_atn.py [OUTPUT]     default: resources/samples/sample-en.atn

The set holds the kind of actions an English-speaking user records: layers
duplicated and renamed, adjustment layers (Levels, Curves, Hue/Saturation,
Brightness/Contrast, Gradient Map), fill layers (Color Fill, Gradient Fill), and a
photo opened from a Japanese folder with a texture placed from a Latin one. The
output depends on nothing but this script, so the same script always writes the
same bytes.

Layout written here (all numbers big-endian unless said otherwise):
  set:        u32 16, text name, u8 expanded, u32 action count, actions
  action:     u16 function key, u8 shift, u8 command, u16 colour, text name,
              u8 expanded, u32 event count, events
  event:      u8 expanded, u8 enabled, u8 with dialog, u8 dialog options,
              "long" + 4-char event code or "TEXT" + byte string, byte string
              display name, i32 -1 + descriptor or i32 0
  descriptor: text class name, id class, u32 item count, items (id key,
              4-char type, value)
  text:       u32 unit count N (with the ending null), 2N bytes UTF-16BE
  file path:  u32 B, "txtu", u32le B, u32le N, 2N bytes UTF-16LE, B = 2N + 12
  id:         u32 0 + 4-char code, or u32 length + that many bytes
"""
import os
import struct
import sys

# ---------------------------------------------------------------- encoding


def u8(v):
    return struct.pack(">B", v)


def u16(v):
    return struct.pack(">H", v)


def u32(v):
    return struct.pack(">I", v)


def i32(v):
    return struct.pack(">i", v)


def code(c):
    b = c.encode("latin-1")
    assert len(b) == 4, c
    return b


def ident(name):
    """Four-character codes are stored as u32 0 + code, longer names with their length."""
    if len(name) == 4:
        return u32(0) + code(name)
    b = name.encode("latin-1")
    return u32(len(b)) + b


def bstr(text):
    b = text.encode("latin-1")
    return u32(len(b)) + b


def text_be(text):
    units = text.encode("utf-16-be") + b"\0\0"
    return u32(len(units) // 2) + units


def path_le(path):
    units = path.encode("utf-16-le") + b"\0\0"
    count = len(units) // 2
    size = 2 * count + 12
    return u32(size) + b"txtu" + struct.pack("<II", size, count) + units


# ---------------------------------------------------------------- values
# A value is a (type, payload) pair; `value` turns it into bytes.


def TEXT(s):
    return ("TEXT", s)


def long(v):
    return ("long", v)


def doub(v):
    return ("doub", v)


def unit(u, v):
    return ("UntF", (u, v))


def bool_(v):
    return ("bool", v)


def enum(t, v):
    return ("enum", (t, v))


def obj(cls, *items):
    return ("Objc", (cls, items))


def lst(*values):
    return ("VlLs", values)


def ref(*parts):
    return ("obj ", parts)


def path(p):
    return ("Pth ", p)


def tdta(data):
    return ("tdta", data)


def descriptor(cls, items):
    out = text_be("") + ident(cls) + u32(len(items))
    for key, val in items:
        out += ident(key) + value(val)
    return out


def value(v):
    kind, payload = v
    out = code(kind)
    if kind == "TEXT":
        return out + text_be(payload)
    if kind == "long":
        return out + i32(payload)
    if kind == "doub":
        return out + struct.pack(">d", payload)
    if kind == "UntF":
        return out + code(payload[0]) + struct.pack(">d", payload[1])
    if kind == "bool":
        return out + u8(1 if payload else 0)
    if kind == "enum":
        return out + ident(payload[0]) + ident(payload[1])
    if kind == "Objc":
        return out + descriptor(*payload)
    if kind == "VlLs":
        return out + u32(len(payload)) + b"".join(value(x) for x in payload)
    if kind == "obj ":
        return out + u32(len(payload)) + b"".join(reference_part(p) for p in payload)
    if kind == "Pth ":
        return out + path_le(payload)
    if kind == "tdta":
        return out + u32(len(payload)) + payload
    raise ValueError(kind)


# Reference parts: ("name", class, text), ("Enmr", class, type, value),
# ("Clss", class), ("prop", class, key), ("Idnt", class, n), ("indx", class, n).
def reference_part(p):
    form, cls = p[0], p[1]
    out = code(form) + text_be("") + ident(cls)
    if form == "name":
        return out + text_be(p[2])
    if form == "Enmr":
        return out + ident(p[2]) + ident(p[3])
    if form == "Clss":
        return out
    if form == "prop":
        return out + ident(p[2])
    if form in ("Idnt", "indx"):
        return out + u32(p[2])
    if form == "rele":
        return out + i32(p[2])
    raise ValueError(form)


TARGET_LAYER = ("Enmr", "Lyr ", "Ordn", "Trgt")
TARGET_ADJUSTMENT = ("Enmr", "AdjL", "Ordn", "Trgt")

# ---------------------------------------------------------------- events and actions


def event(code_or_name, display, items=None, dialog=False, enabled=True):
    out = u8(0) + u8(1 if enabled else 0) + u8(1 if dialog else 0) + u8(1 if dialog else 0)
    if len(code_or_name) == 4:
        out += b"long" + code(code_or_name)
    else:
        out += b"TEXT" + bstr(code_or_name)
    out += bstr(display)
    if items is None:
        return out + i32(0)
    return out + i32(-1) + descriptor("null", items)


def action(name, events, fkey=0, shift=False, command=False, colour=0):
    out = u16(fkey) + u8(1 if shift else 0) + u8(1 if command else 0) + u16(colour)
    out += text_be(name) + u8(0) + u32(len(events))
    return out + b"".join(events)


def action_set(name, actions):
    return u32(16) + text_be(name) + u8(1) + u32(len(actions)) + b"".join(actions)


def select_layer(name, layer_id):
    return event("slct", "Select", [
        ("null", ref(("name", "Lyr ", name))),
        ("MkVs", bool_(False)),
        ("LyrI", lst(long(layer_id))),
    ])


def set_layer(*items):
    return event("setd", "Set", [
        ("null", ref(TARGET_LAYER)),
        ("T   ", obj("Lyr ", *items)),
    ])


def make_adjustment(name, kind, *settings, dialog=False):
    return event("Mk  ", "Make", [
        ("null", ref(("Clss", "AdjL"))),
        ("Usng", obj("AdjL", ("Nm  ", TEXT(name)), ("Type", obj(kind, *settings)))),
    ], dialog=dialog)


def set_adjustment(kind, *settings):
    return event("setd", "Set", [
        ("null", ref(TARGET_ADJUSTMENT)),
        ("T   ", obj(kind, *settings)),
    ])


def rgb(r, g, b):
    return obj("RGBC", ("Rd  ", doub(r)), ("Grn ", doub(g)), ("Bl  ", doub(b)))


def gradient(name, stops):
    """A custom gradient; stops are (location 0..4096, (r, g, b), opacity %)."""
    return obj("Grdn",
               ("Nm  ", TEXT(name)),
               ("GrdF", enum("GrdF", "CstS")),
               ("Intr", doub(4096.0)),
               ("Clrs", lst(*[obj("Clrt",
                                  ("Clr ", rgb(*colour)),
                                  ("Type", enum("Clry", "UsrS")),
                                  ("Lctn", long(at)),
                                  ("Mdpn", long(50))) for at, colour, _ in stops])),
               ("Trns", lst(*[obj("TrnS",
                                  ("Opct", unit("#Prc", opacity)),
                                  ("Lctn", long(at)),
                                  ("Mdpn", long(50))) for at, _, opacity in stops])))


def curve_points(*points):
    """Curves settings as the adjustment keeps them: version, curve count, then
    per curve its point count and (output, input) pairs, all u16."""
    out = struct.pack(">HHH", 1, 1, len(points))
    for inp, outp in points:
        out += struct.pack(">HH", outp, inp)
    return out


def build():
    soft_background = action("Soft Background", [
        select_layer("Background", 1),
        event("Dplc", "Duplicate", [
            ("null", ref(TARGET_LAYER)),
            ("Nm  ", TEXT("Background copy")),
            ("Vrsn", long(5)),
            ("Idnt", lst(long(2))),
        ]),
        event("GsnB", "Gaussian Blur", [("Rds ", unit("#Pxl", 3.5))]),
        set_layer(("Md  ", enum("BlnM", "Scrn")), ("Opct", unit("#Prc", 45.0))),
    ], fkey=2, colour=2)

    retouch_layer = action("Retouch Layer", [
        event("Mk  ", "Make", [("null", ref(("Clss", "Lyr "))), ("LyrI", long(3))]),
        select_layer("Layer 1", 3),
        event("Dplc", "Duplicate", [
            ("null", ref(TARGET_LAYER)),
            ("Nm  ", TEXT("Layer 1 copy")),
            ("Vrsn", long(5)),
            ("Idnt", lst(long(4))),
        ]),
        set_layer(("Opct", unit("#Prc", 80.0)), ("Md  ", enum("BlnM", "SftL"))),
        event("Hd  ", "Hide", [("null", lst(ref(("name", "Lyr ", "Layer 1"))))]),
        event("slct", "Select", [
            ("null", ref(("Idnt", "Lyr ", 4))),
            ("MkVs", bool_(False)),
        ]),
    ], fkey=3, shift=True)

    tonal_adjustments = action("Levels and Hue/Saturation", [
        make_adjustment("Levels 1", "Lvls",
                        ("presetKind", enum("presetKindType", "presetKindDefault"))),
        set_adjustment("Lvls",
                       ("presetKind", enum("presetKindType", "presetKindCustom")),
                       ("Adjs", lst(obj("LvlA",
                                        ("Chnl", ref(("Enmr", "Chnl", "Chnl", "Cmps"))),
                                        ("Inpt", lst(long(8), long(247))),
                                        ("Gmm ", doub(1.15)))))),
        make_adjustment("Curves 1", "Crvs",
                        ("presetKind", enum("presetKindType", "presetKindDefault"))),
        set_adjustment("Crvs",
                       ("presetKind", enum("presetKindType", "presetKindCustom")),
                       ("legacyContentData",
                        tdta(curve_points((0, 0), (64, 52), (192, 204), (255, 255))))),
        make_adjustment("Hue/Saturation 1", "HStr",
                        ("presetKind", enum("presetKindType", "presetKindDefault")),
                        ("Clrz", bool_(False))),
        set_adjustment("HStr",
                       ("presetKind", enum("presetKindType", "presetKindCustom")),
                       ("Adjs", lst(obj("Hst2",
                                        ("H   ", long(0)),
                                        ("Strt", long(-20)),
                                        ("Lght", long(0)))))),
        make_adjustment("Brightness/Contrast 1", "BrgC", ("useLegacy", bool_(False)),
                        dialog=True),
        set_adjustment("BrgC",
                       ("Brgh", long(12)),
                       ("Cntr", long(18)),
                       ("useLegacy", bool_(False))),
        select_layer("Levels 1", 5),
    ], fkey=4, colour=5)

    toning = action("Gradient Map Toning", [
        make_adjustment("Gradient Map 1", "GdMp",
                        ("Grad", gradient("Sepia Tones", [
                            (0, (40.0, 22.0, 8.0), 100.0),
                            (4096, (250.0, 236.0, 210.0), 100.0),
                        ]))),
        set_layer(("Md  ", enum("BlnM", "SftL")), ("Opct", unit("#Prc", 70.0))),
        make_adjustment("Curves 2", "Crvs",
                        ("presetKind", enum("presetKindType", "presetKindDefault"))),
        set_adjustment("Crvs",
                       ("presetKind", enum("presetKindType", "presetKindCustom")),
                       ("legacyContentData",
                        tdta(curve_points((0, 18), (128, 128), (255, 240))))),
        select_layer("Gradient Map 1", 9),
    ], colour=6)

    fills = action("Color Fill and Gradient Fill", [
        event("Mk  ", "Make", [
            ("null", ref(("Clss", "contentLayer"))),
            ("Usng", obj("contentLayer",
                         ("Nm  ", TEXT("Color Fill 1")),
                         ("Type", obj("solidColorLayer", ("Clr ", rgb(245.0, 232.0, 206.0)))))),
        ]),
        set_layer(("Md  ", enum("BlnM", "Mltp")), ("Opct", unit("#Prc", 35.0))),
        event("Mk  ", "Make", [
            ("null", ref(("Clss", "contentLayer"))),
            ("Usng", obj("contentLayer",
                         ("Nm  ", TEXT("Gradient Fill 1")),
                         ("Type", obj("gradientLayer",
                                      ("Angl", unit("#Ang", 90.0)),
                                      ("Type", enum("GrdT", "Lnr ")),
                                      ("Grad", gradient("Foreground to Transparent", [
                                          (0, (0.0, 0.0, 0.0), 100.0),
                                          (4096, (0.0, 0.0, 0.0), 0.0),
                                      ])))))),
        ]),
        event("move", "Move", [
            ("null", ref(TARGET_LAYER)),
            ("T   ", ref(("indx", "Lyr ", 2))),
            ("Adjs", bool_(False)),
            ("Vrsn", long(5)),
        ]),
        select_layer("Color Fill 1", 11),
    ])

    texture = action("Open Photo and Add Paper Texture", [
        event("Opn ", "Open", [
            ("null", path("/Users/yuki/Pictures/旅行/夕焼けの海.jpg")),
            ("DocI", long(219)),
        ], dialog=True),
        event("Plc ", "Place", [
            ("null", path("/Users/anna/Pictures/Backgrounds/paper-grain.jpg")),
            ("FTcs", enum("QCSt", "Qcsa")),
            ("Ofst", obj("Ofst", ("Hrzn", unit("#Pxl", 0.0)), ("Vrtc", unit("#Pxl", 0.0)))),
            ("Wdth", unit("#Prc", 100.0)),
            ("Hght", unit("#Prc", 100.0)),
        ]),
        event("newPlacedLayer", "Convert to Smart Object"),
        set_layer(("Nm  ", TEXT("Paper Texture")), ("Md  ", enum("BlnM", "Ovrl"))),
        event("setd", "Set", [
            ("null", ref(("prop", "Chnl", "fsel"))),
            ("T   ", obj("Rctn",
                         ("Top ", unit("#Pxl", 0.0)),
                         ("Left", unit("#Pxl", 0.0)),
                         ("Btom", unit("#Pxl", 1200.0)),
                         ("Rght", unit("#Pxl", 1800.0)))),
        ]),
        event("FltI", "Flatten Image"),
        event("save", "Save", [
            ("As  ", obj("JPEG", ("EQlt", long(10)), ("MttC", enum("MttC", "None")))),
            ("In  ", path("/Users/yuki/Pictures/旅行/夕焼けの海（仕上げ）.jpg")),
            ("DocI", long(219)),
            ("Cpy ", bool_(True)),
            ("LwCs", bool_(True)),
        ]),
    ], fkey=5, command=True, colour=4)

    return action_set("Photo Finishing", [
        soft_background, retouch_layer, tonal_adjustments, toning, fills, texture,
    ])


def main(argv):
    if len(argv) > 1 or (argv and argv[0].startswith("-")):
        print(__doc__.strip())
        return 2
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[0] if argv else os.path.join(here, "..", "resources", "samples", "sample-en.atn")
    with open(target, "wb") as f:
        f.write(build())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
