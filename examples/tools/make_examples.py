#!/usr/bin/env python3
"""Writes the example models and their texture images into examples/.

The models are written the way the modeller writes them (CRLF line ends, a
Scene chunk, one Material chunk, Object chunks); the images are small and
asymmetric (a bright corner at the top left, a red bar along the top), so a
texture shown flipped or mirrored is easy to see. JPEG needs `cjpeg`
(Debian: libjpeg-turbo-progs); the outputs are committed, so building the
project never runs this script.
"""
import math
import os
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.dirname(HERE)


def fmt(v):
    s = "%.4f" % v
    return "0.0000" if s == "-0.0000" else s


def scene(pos=(0, 0, 1500), lookat=(0, 0, 0), head=-0.5236, pich=0.3491):
    return ("Scene {\n\tpos %s %s %s\n\tlookat %s %s %s\n\thead %.4f\n\tpich %.4f\n\tortho 0\n"
            "\tzoom2 5.0000\n\tamb 0.250 0.250 0.250\n}\n" % (*map(fmt, pos), *map(fmt, lookat), head, pich))


def material_chunk(materials):
    lines = ["Material %d {" % len(materials)]
    for name, col, extra in materials:
        lines.append('\t"%s" shader(3) col(%.3f %.3f %.3f %.3f) dif(0.800) amb(0.600) emi(0.000) spc(0.000) power(5.00)%s'
                     % (name, *col, extra))
    lines.append("}")
    return "\n".join(lines) + "\n"


def obj(name, vertices, faces, attrs=(), binary=False):
    out = ['Object "%s" {' % name, "\tvisible 15", "\tlocking 0", "\tshading 1", "\tfacet 59.5"]
    out += ["\t" + a for a in attrs]
    out += ["\tcolor 0.898 0.498 0.698", "\tcolor_type 0"]
    if binary:
        out.append("\tBVertex %d {" % len(vertices))
        out.append("\t\tVector %d [%d]" % (len(vertices), 12 * len(vertices)))
        out.append("@@BINARY@@")
        out.append("\t}")
    else:
        out.append("\tvertex %d {" % len(vertices))
        out += ["\t\t%s %s %s" % tuple(map(fmt, v)) for v in vertices]
        out.append("\t}")
    out.append("\tface %d {" % len(faces))
    for f in faces:
        idx, mat, uv = f[0], f[1] if len(f) > 1 else None, f[2] if len(f) > 2 else None
        line = "\t\t%d V(%s)" % (len(idx), " ".join(map(str, idx)))
        if mat is not None:
            line += " M(%d)" % mat
        if uv:
            line += " UV(%s)" % " ".join("%.5f %.5f" % p for p in uv)
        out.append(line)
    out.append("\t}")
    out.append("}")
    text = "\n".join(out) + "\n"
    blob = b"".join(struct.pack("<3f", *v) for v in vertices) if binary else None
    return text, blob


def document(parts, version="1.0", codepage=None):
    head = "Metasequoia Document\nFormat Text Ver %s\n" % version
    if codepage:
        head += "CodePage %s\n" % codepage
    head += "\n"
    chunks = [head]
    blobs = []
    for p in parts:
        if isinstance(p, tuple):
            chunks.append(p[0])
            if p[1] is not None:
                blobs.append(p[1])
        else:
            chunks.append(p)
    chunks.append("Eof\n")
    text = "".join(chunks).replace("\n", "\r\n").encode("ascii")
    for blob in blobs:  # the binary block replaces its marker line (and its line end)
        text = text.replace(b"@@BINARY@@\r\n", blob + b"\r\n", 1)
    return text


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def box(x0, y0, z0, x1, y1, z1):
    v = [(x0, y1, z1), (x0, y0, z1), (x1, y1, z1), (x1, y0, z1),
         (x1, y1, z0), (x1, y0, z0), (x0, y1, z0), (x0, y0, z0)]
    f = [[0, 2, 3, 1], [2, 4, 5, 3], [4, 6, 7, 5], [6, 0, 1, 7], [6, 4, 2, 0], [1, 3, 5, 7]]
    return v, f


# --- models -----------------------------------------------------------------

def lathe_vase():
    # The profile of a vase in the XY plane, turned about Y by the lathe.
    profile = [(0, 0, 0), (40, 0, 0), (55, 30, 0), (45, 80, 0), (25, 110, 0), (30, 130, 0)]
    # Each line runs downwards so the turned faces point outwards.
    faces = [([i + 1, i], 0) for i in range(len(profile) - 1)]
    mats = material_chunk([("glaze", (0.25, 0.45, 0.85, 1.0), "")])
    return document([scene(lookat=(0, 60, 0)), mats,
                     obj("vase", profile, faces, ["lathe 3", "lathe_axis 1", "lathe_seg 16"])])


def half_body(mirror):
    # The right half of a blocky figure (x >= 0); the mirror makes the left.
    torso_v, torso_f = box(0, 0, -20, 30, 80, 20)
    head_v, head_f = box(0, 85, -15, 15, 115, 15)
    arm_v, arm_f = box(30, 45, -8, 60, 70, 8)
    vertices, faces = [], []
    # The torso and head have no face on the mirror plane (x = 0): the mirror
    # joins their open sides to the other half.
    for v, f, m, open_side in ((torso_v, torso_f, 0, True), (head_v, head_f, 1, True), (arm_v, arm_f, 0, False)):
        base = len(vertices)
        vertices += v
        faces += [([base + i for i in q], m) for k, q in enumerate(f) if not (open_side and k == 3)]
    mats = material_chunk([("cloth", (0.20, 0.60, 0.30, 1.0), ""), ("skin", (1.00, 0.80, 0.62, 1.0), "")])
    attrs = ["mirror %d" % mirror, "mirror_axis 1"]
    if mirror == 2:
        attrs.append("mirror_dis 1.0000")
    return document([scene(lookat=(0, 55, 0)), mats, obj("body", vertices, faces, attrs)])


def patch_cage():
    v, f = box(-50, -50, -50, 50, 50, 50)
    mats = material_chunk([("clay", (0.80, 0.55, 0.40, 1.0), "")])
    return document([scene(), mats, obj("cage", v, [(q, 0) for q in f], ["patch 3", "segment 2"]),
                     obj("cage_spline", [(x + 150, y, z) for x, y, z in v], [(q, 0) for q in f],
                         ["patch 1", "segment 4"])])


def textured_cubes():
    # One cube per texture format, side by side; each face shows the whole image.
    uv = [(0, 0), (1, 0), (1, 1), (0, 1)]
    formats = ["bmp", "png", "jpg", "tga"]
    materials = [("tex_" + ext, (1, 1, 1, 1), ' tex("texture_%s.%s")' % (ext, ext)) for ext in formats]
    materials.append(("mapped_png", (1, 1, 1, 1),
                      ' tex("texture_png.png") aplane("texture_alpha.png") bump("texture_bmp.bmp")'))
    parts = [scene(), material_chunk(materials)]
    for m, ext in enumerate(formats + ["mapped"]):
        v, f = box(-30 + 80 * m, -30, -30, 30 + 80 * m, 30, 30)
        parts.append(obj("cube_" + ext, v, [(q, m, uv) for q in f]))
    return document(parts)


def light_scene():
    floor = [(-200, 0, -200), (-200, 0, 200), (200, 0, 200), (200, 0, -200)]
    lamp_v, lamp_f = box(-5, 190, -5, 5, 200, 5)
    mats = material_chunk([("floor", (0.7, 0.7, 0.7, 1.0), ""), ("lamp", (1.0, 1.0, 0.8, 1.0), " emi(1.000)")])
    return document([scene(lookat=(0, 50, 0)), mats,
                     obj("floor", floor, [([3, 2, 1, 0], 0)]),
                     obj("Light_1", lamp_v, [(q, 1) for q in lamp_f])])


def bvertex_panel():
    vertices = [(-50, -50, 0), (50, -50, 0), (50, 50, 0), (-50, 50, 0), (0, 100, 0)]
    # Corners run clockwise as seen from the front (+z), the modeller's front side.
    faces = [([3, 2, 1, 0], 0, [(0, 0), (1, 0), (1, 1), (0, 1)]), ([4, 2, 3], 0)]
    mats = material_chunk([("steel", (0.6, 0.62, 0.65, 1.0), "")])
    return document([scene(), mats, obj("panel", vertices, faces, binary=True)], version="1.1")


def ngons():
    # A five-pointed star (concave, ten corners) and a hexagon, as polygons of
    # more than four corners ("Format Text Ver 1.1" files hold them).
    star = []
    for i in range(10):
        a = math.pi / 2 + i * math.pi / 5
        r = 60 if i % 2 == 0 else 24
        star.append((r * math.cos(a), r * math.sin(a), 0))
    hexagon = [(150 + 40 * math.cos(i * math.pi / 3), 40 * math.sin(i * math.pi / 3), 0) for i in range(6)]
    star_uv = [(0.5 + p[0] / 120, 0.5 - p[1] / 120) for p in star]
    mats = material_chunk([("gold", (1.0, 0.8, 0.2, 1.0), ""), ("sky", (0.4, 0.7, 1.0, 1.0), "")])
    return document([scene(), mats,
                     obj("star", star, [(list(range(9, -1, -1)), 0, star_uv[::-1])]),
                     obj("hexagon", hexagon, [(list(range(5, -1, -1)), 1)])], version="1.1", codepage="utf8")


# --- images -----------------------------------------------------------------

W, H = 16, 8


def pixel(x, y):
    """RGB of the image at column x, row y (row 0 is the top)."""
    if y < 2:
        return (220, 30, 30)                      # red bar along the top
    if x < 4 and y < 5:
        return (255, 255, 255)                    # bright block at the top left
    return (30, 40 + 12 * x, 60 + 20 * y)         # gradient elsewhere


def bmp():
    row = (W * 3 + 3) & ~3
    data = b""
    for y in range(H - 1, -1, -1):                 # bottom-up
        line = b"".join(bytes(pixel(x, y)[::-1]) for x in range(W))
        data += line + b"\0" * (row - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def tga():
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, W, H, 24, 0)  # origin bottom left
    data = b"".join(bytes(pixel(x, y)[::-1]) for y in range(H - 1, -1, -1) for x in range(W))
    return header + data


def png(alpha=False):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b""
    for y in range(H):
        raw += b"\0"
        for x in range(W):
            r, g, b = pixel(x, y)
            raw += bytes((r, g, b, 255 if x < W // 2 else 64)) if alpha else bytes((r, g, b))
    ihdr = struct.pack(">IIBBBBB", W, H, 8, 6 if alpha else 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def jpeg():
    ppm = b"P6\n%d %d\n255\n" % (W, H) + b"".join(bytes(pixel(x, y)) for y in range(H) for x in range(W))
    with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
        f.write(ppm)
        name = f.name
    try:
        return subprocess.run(["cjpeg", "-quality", "95", name], check=True, capture_output=True).stdout
    finally:
        os.unlink(name)


def zipped(name, model):
    path = os.path.join(OUT, name + ".mqoz")
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        info = zipfile.ZipInfo(name + ".mqo", date_time=(2024, 1, 1, 0, 0, 0))
        info.compress_type = zipfile.ZIP_DEFLATED
        z.writestr(info, model)


def main():
    write("lathe_vase.mqo", lathe_vase())
    write("half_body_joined.mqo", half_body(2))
    write("half_body_separate.mqo", half_body(1))
    write("patch_cage.mqo", patch_cage())
    write("textured_cubes.mqo", textured_cubes())
    write("light_scene.mqo", light_scene())
    write("bvertex_panel.mqo", bvertex_panel())
    write("ngon_polygons.mqo", ngons())
    zipped("zipped_cage", patch_cage())
    write("texture_bmp.bmp", bmp())
    write("texture_tga.tga", tga())
    write("texture_png.png", png())
    write("texture_alpha.png", png(alpha=True))
    write("texture_jpg.jpg", jpeg())
    return 0


if __name__ == "__main__":
    sys.exit(main())
