#!/usr/bin/env python3
"""Writes the hand-built RPG Maker clipboard payloads of this folder.

An independent Ruby Marshal 4.8 writer, written from the format's description rather than from
PelkoEditor's C++ writer, so that the importer is tested against bytes it did not produce. It
streams values in order, so symbols are numbered by first appearance, as Ruby's Marshal.dump does.
Objects are numbered as Ruby numbers them for its object links ('@' and the index): every value that
is not nil, true, false, a fixnum or a symbol takes the next index when it is first written (an
array or object before its elements, a string before its instance variables, a _dump value ('u')
after its data, an extended value ('e') as the value inside). ("share", key, value) writes the
value and remembers its index; ("ref", key) writes a link to it, as Ruby does when one object is
reachable twice.
Each payload is the clipboard block: a u32 little-endian length of the whole block, then the dump.
tests/interchange/marshal_payload_test.cpp documents every file byte by byte.

Run from anywhere: python3 tests/data/marshal/make_payloads.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Dump:
    def __init__(self):
        self.b = bytearray(b"\x04\x08")
        self.syms = {}
        self.objects = 0  # indices given so far
        self.shared = {}  # key -> object index

    # Kinds that take an object index of their own ("ext" takes the index of the value inside, the
    # helpers "table" and "color" that of the "user" value they write).
    NUMBERED = {"float", "big", "str", "plainstr", "ivarstr", "arr", "hash", "hashdef", "obj", "struct",
                "user", "umarshal", "regexp", "class", "module"}

    def long(self, v):
        if v == 0:
            self.b.append(0)
        elif 0 < v < 123:
            self.b.append(v + 5)
        elif -124 < v < 0:
            self.b.append((v - 5) & 0xFF)
        else:
            n = 1
            m = v if v > 0 else ~v
            while n < 4 and (m >> (8 * n)):
                n += 1
            self.b.append(n if v > 0 else (256 - n))
            self.b += (v & 0xFFFFFFFF).to_bytes(4, "little")[:n]

    def raw(self, data):
        self.long(len(data))
        self.b += data

    def sym(self, name):
        if name in self.syms:
            self.b.append(ord(";"))
            self.long(self.syms[name])
        else:
            self.syms[name] = len(self.syms)
            self.b.append(ord(":"))
            self.raw(name.encode())

    def value(self, v):
        kind = v[0]
        if kind == "share":  # ('share', key, value)
            self.shared[v[1]] = self.objects
            self.value(v[2])
            return
        if kind == "ref":  # ('ref', key): a link to a shared value
            self.b += b"@"
            self.long(self.shared[v[1]])
            return
        if kind in self.NUMBERED:
            self.objects += 1  # the index is objects - 1; for "user" Ruby gives it after the data,
            # which holds no object, so the number is the same
        if kind == "nil":
            self.b += b"0"
        elif kind == "true":
            self.b += b"T"
        elif kind == "false":
            self.b += b"F"
        elif kind == "fix":
            self.b += b"i"
            self.long(v[1])
        elif kind == "float":
            self.b += b"f"
            self.raw(v[1].encode())
        elif kind == "big":  # ('big', sign '+'/'-', magnitude)
            mag = v[2]
            data = mag.to_bytes(max(1, (mag.bit_length() + 7) // 8), "little")
            if len(data) % 2:
                data += b"\x00"
            self.b += b"l" + v[1].encode()
            self.long(len(data) // 2)
            self.b += data
        elif kind == "str":  # ('str', text) UTF-8 with E=true, as Ruby 1.9+ dumps it
            self.b += b"I\""
            self.raw(v[1].encode())
            self.long(1)
            self.sym("E")
            self.b += b"T"
        elif kind == "plainstr":  # ('plainstr', bytes) as Ruby 1.8 (RPG Maker XP) dumps it
            self.b += b"\""
            self.raw(v[1])
        elif kind == "ivarstr":  # ('ivarstr', bytes, [(name, value)])
            self.b += b"I\""
            self.raw(v[1])
            self.long(len(v[2]))
            for name, val in v[2]:
                self.sym(name)
                self.value(val)
        elif kind == "sym":
            self.sym(v[1])
        elif kind == "link":
            self.b += b"@"
            self.long(v[1])
        elif kind == "arr":
            self.b += b"["
            self.long(len(v[1]))
            for e in v[1]:
                self.value(e)
        elif kind == "hash":
            self.b += b"{"
            self.long(len(v[1]))
            for k, e in v[1]:
                self.value(k)
                self.value(e)
        elif kind == "hashdef":
            self.b += b"}"
            self.long(len(v[1]))
            for k, e in v[1]:
                self.value(k)
                self.value(e)
            self.value(v[2])
        elif kind in ("obj", "struct"):  # ('obj', class, [(name, value)])
            self.b += b"o" if kind == "obj" else b"S"
            self.sym(v[1])
            self.long(len(v[2]))
            for name, val in v[2]:
                self.sym(name)
                self.value(val)
        elif kind == "user":  # ('user', class, bytes): _dump data
            self.b += b"u"
            self.sym(v[1])
            self.raw(v[2])
        elif kind == "umarshal":  # ('umarshal', class, value): marshal_dump data
            self.b += b"U"
            self.sym(v[1])
            self.value(v[2])
        elif kind == "ext":  # ('ext', module, value)
            self.b += b"e"
            self.sym(v[1])
            self.value(v[2])
        elif kind == "regexp":  # ('regexp', source, options)
            self.b += b"/"
            self.raw(v[1].encode())
            self.b.append(v[2])
        elif kind == "class":
            self.b += b"c"
            self.raw(v[1].encode())
        elif kind == "module":
            self.b += b"m"
            self.raw(v[1].encode())
        elif kind == "table":  # ('table', dims, x, y, z, values, count word)
            _, dims, x, y, z, values, n = v
            data = struct.pack("<5i", dims, x, y, z, n) + struct.pack("<%dh" % len(values), *values)
            self.value(("user", "Table", data))
        elif kind == "color":
            self.value(("user", "Color", struct.pack("<4d", *v[1:5])))
        else:
            raise ValueError(kind)

    def block(self):
        return struct.pack("<I", len(self.b) + 4) + bytes(self.b)


def rows(*cells):
    """Table values (x fastest) for cells given as 8-value rows."""
    out = []
    for y in range(8):
        out += [c[y] for c in cells]
    return out


def write(name, top):
    d = Dump()
    d.value(top)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(d.block())


def frame(cells, cell_max=None, extra=()):
    return ("obj", "RPG::Animation::Frame",
            [("@cell_max", ("fix", cell_max if cell_max is not None else len(cells))),
             ("@cell_data", ("table", 2, len(cells), 8, 1, rows(*cells), len(cells) * 8))] + list(extra))


# 1. A VX Ace animation as RPG Maker VX Ace dumps it: every string flagged with E (the empty one too).
write("vxace_basic.bin", ("arr", [("obj", "RPG::Animation", [
    ("@id", ("fix", 5)),
    ("@name", ("str", "Fire")),
    ("@animation1_name", ("str", "Fire1")),
    ("@animation1_hue", ("fix", 30)),
    ("@animation2_name", ("str", "")),
    ("@animation2_hue", ("fix", 0)),
    ("@position", ("fix", 3)),
    ("@frame_max", ("fix", 2)),
    ("@frames", ("arr", [
        frame([(0, 10, -20, 100, 0, 0, 255, 1), (-1, 0, 0, 0, 0, 0, 0, 0), (104, -300, 200, 150, 90, 1, 128, 2)]),
        frame([(2, 0, 0, 100, 0, 0, 255, 0)]),
    ])),
    ("@timings", ("arr", [
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 1)),
            ("@se", ("obj", "RPG::SE", [("@name", ("str", "Fire2")), ("@volume", ("fix", 80)),
                                        ("@pitch", ("fix", 120))])),
            ("@flash_scope", ("fix", 1)),
            ("@flash_color", ("color", 255.0, 128.0, 0.0, 200.0)),
            ("@flash_duration", ("fix", 5)),
        ]),
    ])),
])]))

# 2. An RPG Maker XP animation (plain strings) carrying values the importer does not expect:
#    extra instance variables of every kind, a frame that is nil, a frame of another class, a timing
#    whose @se is nil and whose @frame is a float, and a timing of another class.
write("xp_extras.bin", ("arr", [("obj", "RPG::Animation", [
    ("@id", ("fix", 1)),
    ("@extra_float", ("float", "1.5")),
    ("@name", ("plainstr", b"Thunder")),
    ("@extra_nil", ("nil",)),
    ("@extra_hash", ("hash", [(("fix", 1), ("plainstr", b"x")), (("sym", "key"), ("arr", [("true",), ("false",)]))])),
    ("@extra_hashdef", ("hashdef", [(("fix", 2), ("nil",))], ("fix", 300))),
    ("@extra_big", ("big", "-", 2 ** 40 + 7)),
    ("@extra_struct", ("struct", "Struct::Point", [("@x", ("fix", -1000)), ("@y", ("fix", 70000))])),
    ("@extra_user", ("user", "Rect", b"\x01\x02\x03")),
    ("@extra_umarshal", ("umarshal", "Pair", ("arr", [("fix", 1), ("fix", 2)]))),
    ("@extra_ext", ("ext", "Mixin", ("obj", "Thing", [("@a", ("fix", 1))]))),
    ("@extra_regexp", ("regexp", "ab+c", 1)),
    ("@extra_class", ("class", "RPG::Animation")),
    ("@extra_module", ("module", "Kernel")),
    ("@extra_ivarstr", ("ivarstr", b"sjis", [("encoding", ("plainstr", b"Shift_JIS")), ("@note", ("fix", 3))])),
    ("@extra_link", ("link", 1)),
    ("@animation_name", ("plainstr", b"Thunder1")),
    ("@animation_hue", ("fix", 120)),
    ("@position", ("fix", 0)),
    ("@frame_max", ("fix", 4)),
    ("@frames", ("arr", [
        ("nil",),
        frame([(3, 1, 2, 80, 45, 0, 200, 0)], extra=[("@note", ("plainstr", b"extra"))]),
        ("obj", "Other::Frame", [("@cell_data", ("fix", 7))]),
        frame([(5, 0, 0, 100, 0, 0, 255, 0)], cell_max=("fix", 1)[1]),
    ])),
    ("@timings", ("arr", [
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("float", "2.0")),
            ("@se", ("nil",)),
            ("@flash_scope", ("fix", 2)),
            ("@flash_color", ("color", 10.9, 20.0, 30.0, 255.0)),
            ("@flash_duration", ("fix", 8)),
            ("@condition", ("fix", 2)),
        ]),
        ("obj", "Other::Timing", [("@frame", ("fix", 0))]),
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 3)),
            ("@se", ("obj", "RPG::AudioFile", [("@name", ("plainstr", b"Thunder9")), ("@volume", ("fix", 100)),
                                               ("@pitch", ("fix", 100)), ("@extra", ("float", "0.5"))])),
            ("@flash_scope", ("fix", 0)),
            ("@flash_color", ("color", 0.0, 0.0, 0.0, 0.0)),
            ("@flash_duration", ("fix", 0)),
            ("@condition", ("fix", 0)),
        ]),
    ])),
])]))

# 3. A VX animation whose tables do not match their sizes: frame 0's table has a y size of 2
#    (two values per cell), frame 1's announces 3 x 8 values but holds only 10.
write("vx_odd_tables.bin", ("arr", [("obj", "RPG::Animation", [
    ("@frames", ("arr", [
        ("obj", "RPG::Animation::Frame", [
            ("@cell_data", ("table", 2, 3, 2, 1, [7, 8, 9, 11, 12, 13], 6)),
            ("@cell_max", ("fix", 3)),
        ]),
        ("obj", "RPG::Animation::Frame", [
            ("@cell_data", ("table", 2, 3, 8, 1, [1, 2, 3, 4, 5, 6, 50, 60, 70, 110], 24)),
            ("@cell_max", ("fix", 3)),
        ]),
    ])),
    ("@name", ("str", "Odd")),
])]))

# 4. A name of 300 bytes (kept to its first 254), followed by values that must still be read.
write("long_name.bin", ("arr", [("obj", "RPG::Animation", [
    ("@name", ("str", "N" * 300)),
    ("@animation1_name", ("str", "A" * 260)),
    ("@" + "v" * 280, ("fix", 9)),
    ("@position", ("fix", 2)),
])]))

# 5. A VX Ace animation in which objects are reachable twice, so that Ruby writes the second use as
#    an object link: @animation1_name is the String of @name, frame 2 is the Frame of frame 0, frame
#    3's @cell_data is the Table of frame 1, the second timing shares the first one's Color and its
#    sound's name String, and the third timing's @se is the first timing's RPG::SE.
write("vxace_shared.bin", ("arr", [("obj", "RPG::Animation", [
    ("@id", ("fix", 7)),
    ("@name", ("share", "title", ("str", "Spark"))),
    ("@animation1_name", ("ref", "title")),
    ("@animation1_hue", ("fix", 0)),
    ("@animation2_name", ("str", "")),
    ("@animation2_hue", ("fix", 0)),
    ("@position", ("fix", 1)),
    ("@frame_max", ("fix", 4)),
    ("@frames", ("arr", [
        ("share", "frame0", frame([(4, 10, 20, 100, 0, 0, 255, 0)])),
        ("obj", "RPG::Animation::Frame", [
            ("@cell_max", ("fix", 2)),
            ("@cell_data", ("share", "table1", ("table", 2, 2, 8, 1,
                                                rows((1, -5, 6, 120, 0, 1, 200, 1), (2, 7, 8, 80, 90, 0, 100, 2)),
                                                16))),
        ]),
        ("ref", "frame0"),
        ("obj", "RPG::Animation::Frame", [("@cell_max", ("fix", 2)), ("@cell_data", ("ref", "table1"))]),
    ])),
    ("@timings", ("arr", [
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 0)),
            ("@se", ("share", "se", ("obj", "RPG::SE", [("@name", ("share", "boom", ("str", "Boom"))),
                                                        ("@volume", ("fix", 80)), ("@pitch", ("fix", 110))]))),
            ("@flash_scope", ("fix", 1)),
            ("@flash_color", ("share", "red", ("color", 255.0, 0.0, 0.0, 160.0))),
            ("@flash_duration", ("fix", 4)),
        ]),
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 2)),
            ("@se", ("obj", "RPG::SE", [("@name", ("ref", "boom")), ("@volume", ("fix", 70)),
                                        ("@pitch", ("fix", 90))])),
            ("@flash_scope", ("fix", 2)),
            ("@flash_color", ("ref", "red")),
            ("@flash_duration", ("fix", 6)),
        ]),
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 3)),
            ("@se", ("ref", "se")),
            ("@flash_scope", ("fix", 0)),
            ("@flash_color", ("color", 0.0, 0.0, 0.0, 0.0)),
            ("@flash_duration", ("fix", 0)),
        ]),
    ])),
])]))

# 6. An RPG Maker XP animation (Ruby 1.8, plain strings) whose shared objects come after values of
#    every other kind, so that each of them must be counted to find the right object: @name and
#    @animation_name are one String; the two timings share a Color and an RPG::AudioFile.
write("xp_shared.bin", ("arr", [("obj", "RPG::Animation", [
    ("@extra_float", ("float", "1.5")),
    ("@extra_big", ("big", "+", 2 ** 40)),
    ("@extra_hash", ("hash", [(("plainstr", b"k"), ("arr", [("nil",), ("float", "2.5")]))])),
    ("@extra_hashdef", ("hashdef", [], ("plainstr", b"d"))),
    ("@extra_struct", ("struct", "Struct::P", [("@x", ("plainstr", b"s"))])),
    ("@extra_user", ("user", "Rect", b"\x01\x02")),
    ("@extra_umarshal", ("umarshal", "Pair", ("arr", [("plainstr", b"u")]))),
    ("@extra_ext", ("ext", "Mixin", ("obj", "Thing", [("@a", ("plainstr", b"e"))]))),
    ("@extra_regexp", ("regexp", "a", 0)),
    ("@extra_class", ("class", "RPG::Animation")),
    ("@extra_module", ("module", "Kernel")),
    ("@extra_ivarstr", ("ivarstr", b"sjis", [("encoding", ("plainstr", b"Shift_JIS"))])),
    ("@name", ("share", "title", ("plainstr", b"Blast"))),
    ("@animation_name", ("ref", "title")),
    ("@animation_hue", ("fix", 60)),
    ("@position", ("fix", 3)),
    ("@frame_max", ("fix", 0)),
    ("@frames", ("arr", [])),
    ("@timings", ("arr", [
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 1)),
            ("@se", ("share", "se", ("obj", "RPG::AudioFile", [("@name", ("plainstr", b"Blast1")),
                                                               ("@volume", ("fix", 90)),
                                                               ("@pitch", ("fix", 100))]))),
            ("@flash_scope", ("fix", 1)),
            ("@flash_color", ("share", "white", ("color", 255.0, 255.0, 255.0, 128.0))),
            ("@flash_duration", ("fix", 3)),
            ("@condition", ("fix", 0)),
        ]),
        ("obj", "RPG::Animation::Timing", [
            ("@frame", ("fix", 5)),
            ("@se", ("ref", "se")),
            ("@flash_scope", ("fix", 2)),
            ("@flash_color", ("ref", "white")),
            ("@flash_duration", ("fix", 7)),
            ("@condition", ("fix", 1)),
        ]),
    ])),
])]))
