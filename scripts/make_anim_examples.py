#!/usr/bin/env python3
"""Writes the example motion and animation into examples/, over the example
models robot.md4 and dice.md4 (scripts/make_examples.py) and two sounds of
the shared corpus (see examples/SOUNDS.md).

Run from the repository root: python3 scripts/make_anim_examples.py
The record sizes are worked out here on their own, so the tests that read
these files check the library's layout against a second reckoning.
"""
import math
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")
CORPUS = os.path.join(HERE, "..", "..", "shared", "corpus", "audio")
SOUNDS = {"anim_kick.wav": "goaudio_kick.wav", "anim_scale.mid": "jazzsoft_test-c-major-scale.mid"}

# Objects of each model in scene order: (textures, pose size of every part).
ROBOT = [(0, [24, 12, 12, 12, 12, 12]), (0, [24])]  # ロボット with 5 joints, then its hat 帽子
DICE = [(1, [24])]                                   # さいころ: one texture, the root part only


def words(textures):
    return (textures + 4) // 5


def layout(objects):
    """Header size H and record size R with the running-header rule."""
    if not objects:
        return 0, 0
    h, r = 16, 40 + 24 * len(objects)
    for textures, parts in objects:
        h += 4 * words(textures)
        r += h + sum(parts)
    return h, r


def floats(*values):
    return struct.pack("<%df" % len(values), *values)


def pose(position, angles):
    return floats(*position, *angles)


def scene_frame(objects, zoom, line, background, music, patterns, camera, object_poses):
    """One record: header, pattern words, camera, then each object's pose and parts."""
    h, r = layout(objects)
    data = struct.pack("<4i", zoom, line, background, music)
    for (textures, _), chosen in zip(objects, patterns):
        for w in range(words(textures)):
            bits = 0
            for f in range(5):
                if w * 5 + f < textures:
                    bits |= (chosen[w * 5 + f] & 63) << (6 * f)
            data += struct.pack("<I", bits)
    assert len(data) == h
    data += camera
    for placement, parts in object_poses:
        data += placement + b"".join(parts)
    assert len(data) <= r
    return data + b"\0" * (r - len(data))


def robot_parts(t):
    """The walking robot at phase t: arms and legs swing, the head nods."""
    swing = 0.6 * math.sin(t)
    return [pose((0, 0, 0), (0, 0, 0.1 * t)), floats(0.15 * math.sin(2 * t), 0, 0),
            floats(swing, 0, 0), floats(-swing, 0, 0), floats(-swing, 0, 0), floats(swing, 0, 0)]


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def motion():
    size = sum(ROBOT[0][1])  # no textures: the part poses only
    frames = [b"".join(robot_parts(k * math.pi / 4)) for k in range(8)]
    assert all(len(f) == size for f in frames)
    write("robot_walk.md6", ("歩く\n%d\ndata\n%d\n" % (size, len(frames))).encode() + b"".join(frames))


def animation():
    camera = pose((0, 0, -175), (0, 0, 0))
    text = "SERIF\n3\nこんにちは\nさいころを振ります\n"
    text += "MUSIC\n3\nanim_scale.mid\nanim_kick.wav\n"
    text += "HAIKEI\n2\ndice_1.bmp\n"
    text += "BAMEN\n2\n"
    walk = b""
    for k in range(4):
        t = k * math.pi / 2
        walk += scene_frame(ROBOT, 256 + 32 * k, 1 if k < 2 else 0, 1, 1, [[], []], camera,
                            [(pose((2.0 * k, 0, 0), (0, 0, 0)), robot_parts(t)),
                             (pose((0, -22.5, 0), (0, 0, 0)), [pose((0, 0, 0), (0, 0, 0))])])
    dice_scene = ROBOT + DICE
    roll = b""
    for k in range(3):
        roll += scene_frame(dice_scene, 384, 2, 0, 2 if k == 1 else 1, [[], [], [k]], camera,
                            [(pose((-10, 0, 0), (0, 0, 0)), robot_parts(0.0)),
                             (pose((0, -22.5, 0), (0, 0, 0)), [pose((0, 0, 0), (0, 0, 0))]),
                             (pose((10, 0, 0), (0.5 * k, 0, 0)), [pose((0, 0, 0), (0, 0.7 * k, 0))])])
    data = text.encode()
    data += ("歩く\nOBJCT\n1\nrobot.md4\ndata\n4\n").encode() + walk
    data += ("さいころ\nOBJCT\n2\nrobot.md4\ndice.md4\ndata\n3\n").encode() + roll
    write("robot_show.md7", data)


if __name__ == "__main__":
    assert layout(ROBOT) == (16, 228) and layout(ROBOT + DICE) == (20, 296)
    for ours, theirs in SOUNDS.items():
        if os.path.exists(os.path.join(CORPUS, theirs)):
            shutil.copyfile(os.path.join(CORPUS, theirs), os.path.join(OUT, ours))
    motion()
    animation()
