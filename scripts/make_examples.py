#!/usr/bin/env python3
"""Writes the example models and their BMP patterns into examples/.

Run from the repository root: python3 scripts/make_examples.py
Coordinates are in grid units (dt = 0.0125 model units). The default view
looks along +z with +y pointing down the screen, so "up" is -y here.
"""
import os
import struct

DT = 0.0125
OUT = os.path.join(os.path.dirname(__file__), "..", "examples")


def sub(a, b):
    return (a[0] - b[0], a[1] - b[1], a[2] - b[2])


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


class Mesh:
    """Vertices of one object and the faces of its parts."""

    def __init__(self):
        self.vertices = []

    def vertex(self, p):
        self.vertices.append(p)
        return len(self.vertices) - 1

    def box(self, centre, size):
        """Six outward-facing quads of an axis-aligned box."""
        cx, cy, cz = centre
        hx, hy, hz = size[0] // 2, size[1] // 2, size[2] // 2
        corners = {}
        for sx in (-1, 1):
            for sy in (-1, 1):
                for sz in (-1, 1):
                    corners[(sx, sy, sz)] = self.vertex((cx + sx * hx, cy + sy * hy, cz + sz * hz))
        faces = []
        for axis in range(3):
            for sign in (-1, 1):
                keys = [k for k in corners if k[axis] == sign]
                # Order the four corners around the face centre.
                other = [a for a in range(3) if a != axis]
                ring = sorted(keys, key=lambda k: {(-1, -1): 0, (1, -1): 1, (1, 1): 2, (-1, 1): 3}[(k[other[0]], k[other[1]])])
                outward = [0, 0, 0]
                outward[axis] = sign
                faces.append(self.oriented([corners[k] for k in ring], tuple(outward)))
        return faces

    def oriented(self, idx, outward):
        """The quad's indices wound so that its normal points along `outward`."""
        p = [self.vertices[i] for i in idx]
        n = cross(sub(p[1], p[0]), sub(p[2], p[1]))
        return idx if dot(n, outward) > 0 else list(reversed(idx))


def face_lines(faces, keyword="q"):
    return ["%s %d %d %d %d" % ((keyword,) + tuple(f)) for f in faces]


def material(amb, dif, specular, rgb):
    return ["m %10g %10g %10g" % (amb, dif, specular), "c %d %d %d" % rgb]


def write_model(name, lines):
    with open(os.path.join(OUT, name), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def object_lines(name, pos, mesh, part_lines, textures=(), real=False):
    def coord(v):
        return "%10g" % (v * DT) if real else "%d" % v
    out = ["ob %s %s" % (name, " ".join(coord(c) for c in pos)), " dt %10g" % DT]
    out += [" v " + " ".join(coord(c) for c in v) for v in mesh.vertices]
    out += part_lines
    for tex_name, files in textures:
        out.append(" tb %s" % tex_name)
        out += ["    %s" % f for f in files]
        out.append(" te %s" % tex_name)
    out.append("oe %s" % name)
    return out


def part(name, pos, body, real=False):
    def coord(v):
        return "%10g" % (v * DT) if real else "%d" % v
    def indent(line):  # part and object lines stand at the start of the line
        return line if line.startswith(("pb ", "pe ", "ob ", "oe ", " ")) else " " + line
    return ["pb %s %s" % (name, " ".join(coord(c) for c in pos))] + [indent(l) for l in body] + ["pe %s" % name]


def write_bmp(path, pixels, palette):
    """An uncompressed 8-bit BMP; pixels[0] is the top row."""
    h, w = len(pixels), len(pixels[0])
    stride = (w + 3) // 4 * 4
    offset = 54 + 4 * len(palette)
    data = b""
    for row in reversed(pixels):
        data += bytes(row) + b"\0" * (stride - w)
    header = b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 2835, 2835, len(palette), 0)
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in palette)
    with open(path, "wb") as f:
        f.write(header + info + pal + data)


def robot():
    body = Mesh()
    torso = body.box((0, 0, 0), (1280, 1600, 800))
    head = body.box((0, -1280, 0), (960, 960, 880))
    eyes = body.box((-200, -1360, -460), (160, 160, 40)) + body.box((200, -1360, -460), (160, 160, 40))
    arm_l = body.box((-880, 160, 0), (400, 1440, 400))
    arm_r = body.box((880, 160, 0), (400, 1440, 400))
    leg_l = body.box((-340, 1560, 0), (480, 1520, 560))
    leg_r = body.box((340, 1560, 0), (480, 1520, 560))
    hat = Mesh()
    brim = hat.box((0, 0, 0), (1200, 80, 1120))
    crown = hat.box((0, -280, 0), (720, 480, 720))
    hat_part = part("帽子本体", (0, 0, 0),
                    material(0.3, 1.0, 0.2, (200, 40, 40)) + face_lines(brim + crown))
    hat_obj = object_lines("帽子", (0, -1800, 0), hat, hat_part)
    grey = material(0.25, 1.0, 0.0, (150, 160, 175))
    head_part = part("頭", (0, -800, 0),
                     material(0.3, 1.0, 0.1, (240, 200, 160)) + face_lines(head) +
                     material(0.0, 0.0, 0.0, (0, 0, 0)) + face_lines(eyes) + hat_obj)
    parts = [head_part,
             part("左腕", (-880, -480, 0), grey + face_lines(arm_l)),
             part("右腕", (880, -480, 0), grey + face_lines(arm_r)),
             part("左脚", (-340, 800, 0), material(0.2, 1.0, 0.0, (60, 70, 90)) + face_lines(leg_l)),
             part("右脚", (340, 800, 0), material(0.2, 1.0, 0.0, (60, 70, 90)) + face_lines(leg_r))]
    root = part("胴体", (0, 0, 0),
                material(0.25, 1.0, 0.3, (40, 90, 200)) + face_lines(torso) + [l for p in parts for l in p])
    write_model("robot.md4", object_lines("ロボット", (0, -400, 0), body, root))


def dice():
    # Three 32 x 32 patterns: one, two and three pips. Index 0 is the key
    # colour (bottom-left pixel): it shows the material's colour.
    palette = [(255, 0, 255), (30, 30, 30), (200, 20, 30), (90, 90, 90)]
    spots = {1: [(16, 16)], 2: [(8, 8), (24, 24)], 3: [(8, 24), (16, 16), (24, 8)]}
    names = []
    for n in (1, 2, 3):
        pix = [[0] * 32 for _ in range(32)]
        for (sx, sy) in spots[n]:
            for y in range(32):
                for x in range(32):
                    d = (x - sx) ** 2 + (y - sy) ** 2
                    if d <= 12:
                        pix[y][x] = 2 if n == 1 else 1
                    elif d <= 18:
                        pix[y][x] = 3
        name = "dice_%d.bmp" % n
        write_bmp(os.path.join(OUT, name), pix, palette)
        names.append(name)
    mesh = Mesh()
    cube = mesh.box((0, 0, 0), (1600, 1600, 1600))
    front = [f for f in cube if all(mesh.vertices[i][2] == -800 for i in f)]
    others = [f for f in cube if f not in front]
    ivory = material(0.3, 1.0, 0.2, (250, 240, 215))
    body = ivory + ["txy 目 %s -800 -800 1600 1600" % names[0]] + face_lines(front)
    body += material(0.3, 1.0, 0.2, (180, 30, 40)) + face_lines(others)
    write_model("dice.md4", object_lines("さいころ", (0, 0, 0), mesh, part("箱", (0, 0, 0), body),
                                         textures=[("目", names)]))


def house():
    mesh = Mesh()
    walls = mesh.box((0, 0, 0), (1600, 1200, 1200))
    # Gable roof: two slopes, two triangular ends (a triangle repeats an index).
    a = mesh.vertex((-960, -600, -720))
    b = mesh.vertex((960, -600, -720))
    c = mesh.vertex((960, -600, 720))
    d = mesh.vertex((-960, -600, 720))
    ra = mesh.vertex((-960, -1320, 0))
    rb = mesh.vertex((960, -1320, 0))
    roof = [mesh.oriented([a, b, rb, ra], (0, -1, -1)), mesh.oriented([d, ra, rb, c], (0, -1, 1))]
    gables = [mesh.oriented([a, ra, d, d], (-1, 0, 0)), mesh.oriented([b, c, rb, rb], (1, 0, 0))]
    door = mesh.box((-360, 280, -610), (320, 640, 20))
    window = mesh.box((320, -40, -610), (400, 320, 20))
    body = material(0.3, 1.0, 0.0, (235, 225, 200)) + face_lines(walls)
    body += material(0.2, 1.0, 0.3, (170, 50, 40)) + face_lines(roof) + face_lines(gables, "qd")
    body += material(0.2, 1.0, 0.0, (110, 70, 40)) + face_lines(door)
    body += material(0.4, 1.0, 0.6, (150, 200, 240)) + face_lines(window)
    home = object_lines("家", (-560, 0, 0), mesh, part("建物", (0, 0, 0), body, real=True), real=True)
    tree = Mesh()
    trunk = tree.box((0, 280, 0), (160, 560, 160))
    crown = tree.box((0, -320, 0), (640, 640, 640))
    tbody = material(0.2, 1.0, 0.0, (100, 70, 40)) + face_lines(trunk)
    leaves = part("葉", (0, 0, 0), material(0.2, 1.0, 0.0, (60, 150, 60)) + face_lines(crown, "Q"), real=True)
    wood = object_lines("木", (880, 320, -200), tree, part("幹", (0, 0, 0), tbody + leaves, real=True), real=True)
    write_model("house.md5", home + wood)


def joint():
    """An arm of two parts that share the ring of vertices at the elbow: the
    lower part claims them, so the upper part's side faces bridge the two
    parts. A double-sided fin, a twist-fixed end cap and a two-pattern
    texture on the front of the upper arm."""
    mesh = Mesh()
    def ring(y):
        return [mesh.vertex((x, y, z)) for (x, z) in ((-300, -300), (300, -300), (300, 300), (-300, 300))]
    top, elbow, bottom = ring(-1200), ring(0), ring(1200)
    centre_up, centre_down = (0, -600, 0), (0, 600, 0)
    def sides(a, b, centre):
        out = []
        for i in range(4):
            j = (i + 1) % 4
            quad = [a[i], a[j], b[j], b[i]]
            p = mesh.vertices[a[i]]
            q = mesh.vertices[a[j]]
            outward = ((p[0] + q[0]) / 2 - centre[0], 0, (p[2] + q[2]) / 2 - centre[2])
            out.append(mesh.oriented(quad, outward))
        return out
    upper_sides = sides(top, elbow, centre_up)
    front = [f for f in upper_sides if all(mesh.vertices[i][2] == -300 for i in f)]
    upper_rest = [f for f in upper_sides if f not in front]
    lower_sides = sides(elbow, bottom, centre_down)
    top_cap = mesh.oriented(list(top), (0, -1, 0))
    bottom_cap = mesh.oriented(list(bottom), (0, 1, 0))
    fin = [mesh.vertex(p) for p in ((300, 200, 0), (900, 200, 0), (900, 800, 0), (300, 800, 0))]
    palette = [(255, 0, 255), (250, 250, 250), (40, 40, 160)]
    names = []
    for n, pattern in enumerate((lambda x, y: 1 + (x // 4) % 2, lambda x, y: 1 + (x // 4 + y // 4) % 2), 1):
        pix = [[0 if (x, y) == (0, 15) else pattern(x, y) for x in range(16)] for y in range(16)]
        name = "joint_%d.bmp" % n
        write_bmp(os.path.join(OUT, name), pix, palette)
        names.append(name)
    skin = material(0.3, 1.0, 0.2, (230, 180, 120))
    upper_body = skin + ["txy 縞 %s -300 -1200 600 1200" % names[0]] + face_lines(front)
    upper_body += skin + face_lines(upper_rest + [top_cap])
    lower_body = material(0.3, 1.0, 0.2, (90, 160, 90)) + face_lines(lower_sides)
    lower_body += face_lines([bottom_cap], "qs")
    lower_body += material(0.3, 1.0, 0.0, (200, 60, 60)) + face_lines([fin], "qd")
    lower = part("下腕", (0, 0, 0), lower_body)
    root = part("上腕", (0, 0, 0), upper_body + lower)
    write_model("joint.md4", object_lines("腕", (0, 0, 0), mesh, root, textures=[("縞", names)]))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    robot()
    dice()
    house()
    joint()
