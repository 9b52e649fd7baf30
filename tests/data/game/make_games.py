#!/usr/bin/env python3
"""Writes the RPG Maker 2000 / 2003 and MV animation databases of the game tests, shaped as those
products write them, from the formats' description (not from PelkoEditor's writers):

- rpg_rt.ldb: "LcfDataBase", then database chunks (id, size, data; variable-length integers) with
  no 0 after the last one. Chunk 0x13 holds three animations: 1 with 2003 chunks (3 "large", a
  timing's 8 "screen shake"), 2 with a Japanese name (CP932) and tones, 3 an empty record. Chunks
  before and after it stand for the actors, skills, chipsets, system and 2003 battler animations.
- Animations.json: [null, ...] one element a line, keys in MV's order, a Japanese name, a null
  entry (4) and a key MV plugins add ("note") on animation 5.

Run from anywhere: python3 tests/data/game/make_games.py
"""
import json
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def ber(v):
    out = [v & 0x7F]
    v >>= 7
    while v:
        out.append(0x80 | (v & 0x7F))
        v >>= 7
    return bytes(reversed(out))


def chunk(cid, data):
    return ber(cid) + ber(len(data)) + data


def integer(cid, v):
    return chunk(cid, ber(v & 0xFFFFFFFF))


def record(*chunks):
    return b"".join(chunks) + b"\x00"


def array(elements):
    return ber(len(elements)) + b"".join(ber(i + 1) + e for i, e in enumerate(elements))


def cell(pattern, x, y, zoom=100, tone=(100, 100, 100, 100), transparency=0):
    parts = []
    if pattern: parts.append(integer(2, pattern))
    if x: parts.append(integer(3, x))
    if y: parts.append(integer(4, y))
    if zoom != 100: parts.append(integer(5, zoom))
    for i, t in enumerate(tone):
        if t != 100: parts.append(integer(6 + i, t))
    if transparency: parts.append(integer(10, transparency))
    return record(*parts)


def frame(cells):
    return record(chunk(1, array(cells)))


def timing(frame_no, sound, scope=0, extra=b""):
    se = record(chunk(1, sound)) if sound else record()
    parts = [integer(1, frame_no), chunk(2, se)]
    if scope: parts.append(integer(3, scope))
    return record(*parts, extra)


def ldb():
    anim1 = record(chunk(1, b"Hit"), chunk(2, b"Attack"), integer(3, 0),
                   chunk(6, array([timing(1, b"Blow1", 1, integer(8, 2))])), integer(9, 0), integer(10, 1),
                   chunk(12, array([frame([cell(0, 0, 0)]), frame([cell(1, 8, -4, 120)])])))
    anim2 = record(chunk(1, "炎".encode("cp932")), chunk(2, b"Fire"), chunk(6, array([])),
                   integer(9, 0), integer(10, 2),
                   chunk(12, array([frame([cell(0, -16, 0, 100, (150, 100, 80, 100)), cell(3, 16, 0, 80, transparency=40)]),
                                    frame([cell(1, 0, 0)]),
                                    frame([cell(2, 0, 8, 60)])])),
                   chunk(0x20, b"\x01\x02"))
    anim3 = record()
    animations = ber(3) + ber(1) + anim1 + ber(2) + anim2 + ber(3) + anim3
    actors = array([record(chunk(1, "アレックス".encode("cp932")), integer(2, 1))])
    body = (chunk(0x0B, actors) + chunk(0x0C, b"\x00") + chunk(0x13, animations) + chunk(0x14, b"\x01\x01\x00")
            + chunk(0x16, b"\x0b\x01\x05\x00") + chunk(0x20, b"\x00"))
    return ber(11) + b"LcfDataBase" + body


def mv():
    def anim(i, name, pic1, frames, timings, **extra):
        a = {"id": i, "animation1Hue": 0, "animation1Name": pic1, "animation2Hue": 0, "animation2Name": "",
             "frames": frames, "name": name, "position": 1, "timings": timings}
        a.update(extra)
        return json.dumps(a, ensure_ascii=False, separators=(",", ":"))

    se = {"name": "Attack3", "pan": 0, "pitch": 100, "volume": 90}
    flash = {"flashColor": [255, 255, 255, 255], "flashDuration": 5, "flashScope": 1, "frame": 0, "se": se}
    lines = ["null",
             anim(1, "Hit Physical", "HitPhysical", [[[0, 0, 0, 150, 0, 0, 255, 1]], [[1, 0, 0, 150, 0, 0, 255, 1]]],
                  [flash]),
             anim(2, "炎の剣", "Fire1", [[[0, -20, 0, 100, 0, 0, 255, 0], [101, 20, 0, 80, 90, 1, 128, 1]],
                                       [[2, 0, 10, 150, 0, 1, 255, 0], []], [[3, 0, 20, 100, 0, 0, 60, 2]]],
                  [{"flashColor": [255, 128, 0, 200], "flashDuration": 4, "flashScope": 2, "frame": 1, "se": None}]),
             anim(3, "", "", [[]], []),
             "null",
             anim(5, "Thunder", "Thunder1", [[[4, 0, 0, 100, 0, 0, 255, 0]]], [], note="<plugin tag>")]
    return ("[\n" + ",\n".join(lines) + "\n]").encode("utf-8")


with open(os.path.join(HERE, "rpg_rt.ldb"), "wb") as f:
    f.write(ldb())
with open(os.path.join(HERE, "Animations.json"), "wb") as f:
    f.write(mv())
