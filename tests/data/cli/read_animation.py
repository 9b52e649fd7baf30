#!/usr/bin/python3
"""Reads an animated picture with Pillow and compares it with a reference timeline.

usage: read_animation.py ANIMATION TIMELINE FRAME...

TIMELINE is an animated GIF whose frame durations give the times; FRAME... are the pictures that
should show during each of its frames (as many as it has frames). Prints one JSON object:
  format      Pillow's name of the animation's format
  size        [width, height]
  durations   the animation's frame durations in milliseconds
  timeline    the GIF's frame durations in milliseconds
  difference  for each GIF frame, the mean absolute difference (0..255) of the animation's picture
              showing at that frame's start and the FRAME given for it, over R, G, B, A with the colour
              of fully transparent pixels not counted
Exit status 2 when Pillow cannot read a file.
"""

import json
import sys

from PIL import Image, ImageChops, ImageStat


def frames_of(path):
    """The frames of a file as RGBA pictures with their durations."""
    image = Image.open(path)
    out = []
    for i in range(getattr(image, "n_frames", 1)):
        image.seek(i)
        image.load()
        out.append((image.convert("RGBA").copy(), image.info.get("duration", 0)))
    return image.format, image.size, out


def cleaned(picture):
    """The picture with the colour of fully transparent pixels made 0."""
    mask = picture.getchannel("A").point(lambda a: 255 if a else 0)
    out = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    out.paste(picture, mask=mask)
    return out


def difference(a, b):
    if a.size != b.size:
        return 255.0
    means = ImageStat.Stat(ImageChops.difference(cleaned(a), cleaned(b))).mean
    return sum(means) / len(means)


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        kind, size, animation = frames_of(sys.argv[1])
        _, _, timeline = frames_of(sys.argv[2])
        references = [Image.open(p).convert("RGBA") for p in sys.argv[3:]]
    except (OSError, ValueError) as e:
        print(e, file=sys.stderr)
        return 2
    starts, t = [], 0
    for _, duration in animation:
        starts.append(t)
        t += duration
    result = {
        "format": kind,
        "size": list(size),
        "durations": [d for _, d in animation],
        "timeline": [d for _, d in timeline],
        "difference": [],
    }
    t = 0
    for i, (_, duration) in enumerate(timeline):
        # The animation's frame that shows at time t.
        shown = max(k for k, s in enumerate(starts) if s <= t)
        if i < len(references):
            result["difference"].append(round(difference(animation[shown][0], references[i]), 3))
        t += duration
    print(json.dumps(result))
    return 0


if __name__ == "__main__":
    sys.exit(main())
