#!/usr/bin/env python3
"""Writes Kivo's icons and pictures as flat SVG files next to this script, and kivo.qrc.

Run it again after changing a drawing here; the SVG files are kept in the
repository, so building never needs Python.
"""

import math
import pathlib

HERE = pathlib.Path(__file__).resolve().parent


def svg(width, height, view_w, view_h, body):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
        f'width="{width}" height="{height}" viewBox="0 0 {view_w} {view_h}">\n'
        f"{body}</svg>\n"
    )


def star(cx, cy, outer, inner, points=5, turn=-90.0):
    coords = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = math.radians(turn + i * 180.0 / points)
        coords.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return " ".join(coords)


def sparkle(cx, cy, r, fill):
    return f'<polygon points="{star(cx, cy, r, r * 0.3, 4)}" fill="{fill}"/>\n'


# ---------------------------------------------------------------- icons

def tile(colour):
    return f'<rect x="2" y="2" width="60" height="60" rx="13" fill="{colour}"/>\n'


def icon_main():
    # A game cartridge: the image that is open.
    return tile("#263238") + (
        '<rect x="14" y="9" width="36" height="46" rx="3" fill="#b0bec5"/>\n'
        '<rect x="25" y="9" width="14" height="3" fill="#90a4ae"/>\n'
        '<rect x="19" y="15" width="26" height="21" rx="2" fill="#e53935"/>\n'
        '<polygon points="21,33 28,24 32,29 35,26 43,33" fill="#ffffff"/>\n'
        '<circle cx="38" cy="20" r="2.2" fill="#ffeb3b"/>\n'
        '<rect x="19" y="41" width="26" height="2.6" rx="1.3" fill="#78909c"/>\n'
        '<rect x="19" y="45.5" width="26" height="2.6" rx="1.3" fill="#78909c"/>\n'
        '<rect x="19" y="50" width="26" height="2.6" rx="1.3" fill="#78909c"/>\n'
    )


def icon_character():
    return tile("#1e88e5") + (
        '<circle cx="32" cy="23" r="10" fill="#ffffff"/>\n'
        '<path d="M13 53 C13 42 21.5 35 32 35 C42.5 35 51 42 51 53 Z" fill="#ffffff"/>\n'
    )


def icon_equipment():
    sword = (
        '<g transform="rotate(45 32 32)">\n'
        '<polygon points="29,10 32,3 35,10" fill="#eceff1"/>\n'
        '<rect x="29" y="10" width="6" height="33" fill="#eceff1"/>\n'
        '<rect x="31.2" y="11" width="1.6" height="31" fill="#b0bec5"/>\n'
        '<rect x="21" y="43" width="22" height="4.5" rx="2.2" fill="#4e342e"/>\n'
        '<rect x="30" y="47.5" width="4" height="9" fill="#795548"/>\n'
        '<circle cx="32" cy="58.5" r="3" fill="#4e342e"/>\n'
        "</g>\n"
    )
    shield = (
        '<path d="M27 29 L39 25 L51 29 V38 C51 46 45.5 51 39 54 C32.5 51 27 46 27 38 Z" '
        'fill="#ffffff"/>\n'
        '<path d="M36.5 26 L39 25 L41.5 26 V53 L39 54 L36.5 53 Z" fill="#ef6c00"/>\n'
        '<rect x="27.5" y="34" width="23" height="4.5" fill="#ef6c00"/>\n'
    )
    return tile("#ef6c00") + sword + shield


def blob(cx, cy, size, body, eyes):
    # A small monster: a dome with a jagged hem and two eyes.
    s = size / 16.0
    x0, y0 = cx - 8 * s, cy - 8 * s
    hem = []
    for i in range(5):
        x = x0 + 16 * s * (i + 1) / 5
        y = cy + 8 * s - (3 * s if i % 2 == 0 else 0)
        hem.append(f"L{x:.2f} {y:.2f}")
    path = (f"M{x0:.2f} {cy + 8 * s:.2f} V{cy:.2f} "
            f"A{8 * s:.2f} {8 * s:.2f} 0 0 1 {x0 + 16 * s:.2f} {cy:.2f} "
            f"V{cy + 8 * s:.2f} " + " ".join(hem[:-1]) + " Z")
    return (
        f'<path d="{path}" fill="{body}"/>\n'
        f'<circle cx="{cx - 3 * s:.2f}" cy="{cy - 1 * s:.2f}" r="{1.8 * s:.2f}" fill="{eyes}"/>\n'
        f'<circle cx="{cx + 3 * s:.2f}" cy="{cy - 1 * s:.2f}" r="{1.8 * s:.2f}" fill="{eyes}"/>\n'
    )


def icon_formation():
    # Three monsters standing in their battle places.
    slots = "".join(
        f'<rect x="{x - 10}" y="{y + 8.5}" width="20" height="3" rx="1.5" fill="#4e342e"/>\n'
        for x, y in ((20, 20), (44, 20), (32, 40))
    )
    return tile("#6d4c41") + slots + (
        blob(20, 20, 17, "#ffffff", "#6d4c41")
        + blob(44, 20, 17, "#ffffff", "#6d4c41")
        + blob(32, 40, 17, "#ffe0b2", "#6d4c41")
    )


def icon_maps():
    return tile("#43a047") + (
        '<polygon points="11,19 24,13 40,19 53,13 53,46 40,52 24,46 11,52" fill="#fff8e1"/>\n'
        '<polygon points="24,13 40,19 40,52 24,46" fill="#ffecb3"/>\n'
        '<path d="M17 44 C22 38 26 40 30 35 C34 30 38 33 42 27" fill="none" stroke="#e53935" '
        'stroke-width="2.2" stroke-linecap="round" stroke-dasharray="3.2,3"/>\n'
        '<path d="M42 22 L48 28 M48 22 L42 28" stroke="#c62828" stroke-width="3" '
        'stroke-linecap="round"/>\n'
    )


def icon_monster():
    return tile("#c62828") + (
        '<polygon points="18,24 10,7 27,17" fill="#ffcc80"/>\n'
        '<polygon points="46,24 54,7 37,17" fill="#ffcc80"/>\n'
        '<path d="M15 31 C15 20 22.5 14 32 14 C41.5 14 49 20 49 31 V40 C49 48 41.5 53 32 53 '
        'C22.5 53 15 48 15 40 Z" fill="#fff3e0"/>\n'
        '<polygon points="20,28 30,32 29,37 21,35" fill="#b71c1c"/>\n'
        '<polygon points="44,28 34,32 35,37 43,35" fill="#b71c1c"/>\n'
        '<rect x="21" y="41" width="22" height="7" rx="2.5" fill="#7f0000"/>\n'
        '<polygon points="24,41 28,41 26,46" fill="#ffffff"/>\n'
        '<polygon points="36,41 40,41 38,46" fill="#ffffff"/>\n'
    )


def icon_shop():
    stripes = "".join(
        f'<rect x="{11 + 7 * i}" y="17" width="7" height="10" '
        f'fill="{"#e53935" if i % 2 == 0 else "#ffffff"}"/>\n'
        for i in range(6)
    )
    scallops = "".join(
        f'<circle cx="{14.5 + 7 * i}" cy="27" r="3.5" '
        f'fill="{"#e53935" if i % 2 == 0 else "#ffffff"}"/>\n'
        for i in range(6)
    )
    return tile("#00897b") + (
        '<rect x="14" y="27" width="36" height="26" fill="#ffffff"/>\n'
        '<rect x="18" y="35" width="13" height="10" rx="1" fill="#80cbc4"/>\n'
        '<rect x="35" y="35" width="11" height="18" rx="1" fill="#00695c"/>\n'
        '<circle cx="43.5" cy="44.5" r="1.1" fill="#ffd54f"/>\n'
        '<rect x="12" y="13" width="40" height="4" rx="1.5" fill="#004d40"/>\n'
    ) + stripes + scallops


def icon_spells():
    return tile("#7e57c2") + (
        '<path d="M15 51 L36 30" stroke="#ffffff" stroke-width="5" stroke-linecap="round"/>\n'
        '<path d="M15 51 L21 45" stroke="#311b92" stroke-width="5" stroke-linecap="round"/>\n'
        f'<polygon points="{star(42, 22, 13, 5.5)}" fill="#ffd54f"/>\n'
        + sparkle(19, 19, 6, "#ffffff")
        + sparkle(50, 46, 5, "#ffffff")
        + sparkle(29, 12, 3, "#ede7f6")
    )


def icon_text():
    # The game's message window with a few lines of text.
    return tile("#fbc02d") + (
        '<rect x="9" y="14" width="46" height="36" rx="4" fill="#1a237e" stroke="#ffffff" '
        'stroke-width="3"/>\n'
        '<rect x="16" y="22" width="30" height="3.6" rx="1.8" fill="#ffffff"/>\n'
        '<rect x="16" y="29" width="22" height="3.6" rx="1.8" fill="#ffffff"/>\n'
        '<rect x="16" y="36" width="27" height="3.6" rx="1.8" fill="#ffffff"/>\n'
        '<polygon points="44,41 50,41 47,45" fill="#ffd54f"/>\n'
    )


ICONS = {
    106: icon_main,
    129: icon_character,
    131: icon_equipment,
    134: icon_formation,
    140: icon_maps,
    130: icon_monster,
    133: icon_shop,
    141: icon_spells,
    132: icon_text,
}

# ---------------------------------------------------------------- pictures


def scene(x, y, w, h, tag):
    """A castle under a night sky, drawn in a 160 x 100 box placed at x, y."""
    sx, sy = w / 160.0, h / 100.0
    stars = "".join(
        f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="#ffffff" fill-opacity="{o}"/>\n'
        for cx, cy, r, o in (
            (12, 10, 0.9, 0.9), (30, 22, 0.6, 0.7), (46, 8, 0.8, 0.9), (60, 18, 0.5, 0.6),
            (84, 9, 0.9, 0.8), (98, 24, 0.6, 0.6), (108, 6, 0.7, 0.9), (146, 12, 0.8, 0.8),
            (152, 30, 0.5, 0.6), (22, 36, 0.5, 0.5), (74, 30, 0.5, 0.5), (140, 42, 0.6, 0.5),
        )
    )
    castle = (
        # towers, keep and spire
        '<rect x="50" y="47" width="10" height="33" fill="#151a45"/>\n'
        '<rect x="84" y="47" width="10" height="33" fill="#151a45"/>\n'
        '<rect x="58" y="55" width="28" height="25" fill="#1b2257"/>\n'
        '<rect x="66" y="37" width="12" height="43" fill="#151a45"/>\n'
        '<polygon points="48,48 55,36 62,48" fill="#c62828"/>\n'
        '<polygon points="82,48 89,36 96,48" fill="#c62828"/>\n'
        '<polygon points="64,38 72,22 80,38" fill="#c62828"/>\n'
        '<path d="M72 22 V15" stroke="#151a45" stroke-width="0.8"/>\n'
        '<polygon points="72,15 78,17 72,19" fill="#ffd54f"/>\n'
        # battlements of the keep
        + "".join(
            f'<rect x="{58 + 5 * i}" y="52" width="3" height="3" fill="#1b2257"/>\n'
            for i in range(6)
        )
        # lit windows and the gate
        + "".join(
            f'<rect x="{wx}" y="{wy}" width="2.4" height="3.6" rx="1" fill="#ffd54f"/>\n'
            for wx, wy in ((53.8, 54), (87.8, 54), (70.8, 44), (62, 60), (79.6, 60))
        )
        + '<path d="M68 80 V71 A4 4 0 0 1 76 71 V80 Z" fill="#0b0e2b"/>\n'
    )
    body = (
        f'<linearGradient id="sky{tag}" x1="0" y1="0" x2="0" y2="1">\n'
        '<stop offset="0" stop-color="#0d1240"/>\n'
        '<stop offset="1" stop-color="#5c6bc0"/>\n'
        "</linearGradient>\n"
        f'<rect x="0" y="0" width="160" height="100" fill="url(#sky{tag})"/>\n'
        + stars
        + '<circle cx="126" cy="24" r="15" fill="#ffffff" fill-opacity="0.12"/>\n'
        '<circle cx="126" cy="24" r="10" fill="#fff8e1"/>\n'
        '<circle cx="122.5" cy="21" r="2" fill="#ffecb3"/>\n'
        '<circle cx="129" cy="28" r="1.4" fill="#ffecb3"/>\n'
        '<polygon points="0,70 20,46 36,60 56,36 80,62 102,44 124,66 144,42 160,56 160,100 '
        '0,100" fill="#3949ab"/>\n'
        '<polygon points="56,36 50,43.5 56,41 61,42" fill="#c5cae9"/>\n'
        '<polygon points="144,42 139,48 145,46 149,47.5" fill="#c5cae9"/>\n'
        + castle
        + '<path d="M0 84 C30 74 56 78 80 80 C108 82 132 72 160 76 V100 H0 Z" fill="#283593"/>\n'
        '<path d="M70 80 C66 88 78 92 72 100 H82 C86 92 76 88 74 80 Z" fill="#7986cb" '
        'fill-opacity="0.55"/>\n'
        '<path d="M0 93 C40 88 100 96 160 90 V100 H0 Z" fill="#1a237e"/>\n'
    )
    return f'<g transform="translate({x} {y}) scale({sx:.4f} {sy:.4f})">\n{body}</g>\n'


def cartridge(label):
    """A game cartridge filling the 320 x 200 picture; `label` fills 124 x 80 at 98, 30."""
    ridges = "".join(
        f'<rect x="102" y="{130 + 11 * i}" width="116" height="5" rx="2.5" fill="#8d959c"/>\n'
        for i in range(5)
    )
    return (
        '<ellipse cx="160" cy="194" rx="86" ry="5" fill="#000000" fill-opacity="0.18"/>\n'
        '<path d="M86 10 H234 A6 6 0 0 1 240 16 V186 A6 6 0 0 1 234 192 H86 A6 6 0 0 1 80 186 '
        'V16 A6 6 0 0 1 86 10 Z" fill="#b8bec4"/>\n'
        '<rect x="80" y="10" width="160" height="8" rx="4" fill="#cfd4d9"/>\n'
        '<rect x="80" y="150" width="6" height="22" fill="#9aa1a8"/>\n'
        '<rect x="234" y="150" width="6" height="22" fill="#9aa1a8"/>\n'
        '<rect x="93" y="25" width="134" height="94" rx="4" fill="#8d959c"/>\n'
        + label
        + ridges
    )


def picture_game_cartridge():
    label = (
        scene(98, 30, 124, 72, "c")
        + '<rect x="98" y="102" width="124" height="12" fill="#c62828"/>\n'
        '<rect x="104" y="106" width="46" height="4" rx="2" fill="#ffffff"/>\n'
        '<rect x="156" y="106" width="20" height="4" rx="2" fill="#ffcdd2"/>\n'
        '<rect x="206" y="105" width="10" height="6" rx="1" fill="#ffd54f"/>\n'
    )
    return cartridge(label)


def picture_unknown():
    label = (
        '<rect x="98" y="30" width="124" height="84" rx="2" fill="#eceff1"/>\n'
        '<path d="M146 58 C146 49 152 44 160 44 C168 44 174 49 174 57 C174 64 169 67 165 69 '
        'C162 70.5 160 73 160 77 V80" fill="none" stroke="#78909c" stroke-width="9" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n'
        '<circle cx="160" cy="96" r="5.5" fill="#78909c"/>\n'
    )
    return cartridge(label)


def handheld(screen):
    """A wide handheld console; `screen` fills 100 x 68 at 110, 66."""
    return (
        '<ellipse cx="160" cy="180" rx="130" ry="6" fill="#000000" fill-opacity="0.18"/>\n'
        '<rect x="40" y="34" width="70" height="24" rx="12" fill="#3949ab"/>\n'
        '<rect x="210" y="34" width="70" height="24" rx="12" fill="#3949ab"/>\n'
        '<rect x="20" y="42" width="280" height="130" rx="52" fill="#5c6bc0"/>\n'
        '<rect x="98" y="54" width="124" height="104" rx="10" fill="#263238"/>\n'
        '<circle cx="106" cy="64" r="2" fill="#66bb6a"/>\n'
        + screen
        + '<rect x="145" y="141" width="30" height="4" rx="2" fill="#546e7a"/>\n'
        # direction pad
        '<rect x="46" y="96" width="34" height="12" rx="2" fill="#283593"/>\n'
        '<rect x="57" y="85" width="12" height="34" rx="2" fill="#283593"/>\n'
        '<circle cx="63" cy="102" r="3" fill="#3949ab"/>\n'
        # A and B
        '<circle cx="260" cy="92" r="11" fill="#283593"/>\n'
        '<circle cx="238" cy="112" r="11" fill="#283593"/>\n'
        '<circle cx="257" cy="89" r="4" fill="#3f51b5"/>\n'
        '<circle cx="235" cy="109" r="4" fill="#3f51b5"/>\n'
        # start and select
        '<rect x="56" y="134" width="14" height="6" rx="3" fill="#3949ab"/>\n'
        '<rect x="56" y="146" width="14" height="6" rx="3" fill="#3949ab"/>\n'
        # speaker
        + "".join(
            f'<circle cx="{238 + 7 * c}" cy="{140 + 7 * r}" r="1.8" fill="#3949ab"/>\n'
            for r in range(3)
            for c in range(4)
            if (r + c) % 2 == 0
        )
    )


def picture_gba_compilation():
    return handheld(scene(110, 66, 100, 68, "h"))


def picture_gba_locked():
    # The compilation image is shown but cannot be edited: a padlock on the screen.
    screen = (
        '<rect x="110" y="66" width="100" height="68" fill="#37474f"/>\n'
        '<path d="M150 98 V89 A10 10 0 0 1 170 89 V98" fill="none" stroke="#ffd54f" '
        'stroke-width="5"/>\n'
        '<rect x="144" y="96" width="32" height="26" rx="4" fill="#ffd54f"/>\n'
        '<circle cx="160" cy="106" r="3.6" fill="#37474f"/>\n'
        '<rect x="158.5" y="107" width="3" height="8" rx="1.2" fill="#37474f"/>\n'
    )
    return handheld(screen)


def picture_game_scene():
    sword = (
        # a sword planted in the foreground hill
        '<g transform="rotate(-8 262 176)">\n'
        '<rect x="259" y="118" width="6" height="54" fill="#eceff1"/>\n'
        '<polygon points="259,172 262,180 265,172" fill="#eceff1"/>\n'
        '<rect x="261.3" y="120" width="1.4" height="50" fill="#b0bec5"/>\n'
        '<rect x="250" y="113" width="24" height="5" rx="2.5" fill="#ffd54f"/>\n'
        '<rect x="259.5" y="100" width="5" height="13" fill="#6d4c41"/>\n'
        '<circle cx="262" cy="97.5" r="3.5" fill="#ffd54f"/>\n'
        "</g>\n"
    )
    return scene(0, 0, 320, 200, "s") + sword + (
        '<rect x="1" y="1" width="318" height="198" fill="none" stroke="#0b0e2b" '
        'stroke-width="2"/>\n'
    )


PICTURES = {
    101: picture_gba_compilation,
    102: picture_gba_locked,
    103: picture_game_scene,
    104: picture_game_cartridge,
    105: picture_unknown,
}


def main():
    (HERE / "icons").mkdir(exist_ok=True)
    (HERE / "pictures").mkdir(exist_ok=True)
    for number, draw in ICONS.items():
        (HERE / "icons" / f"{number}.svg").write_text(svg(64, 64, 64, 64, draw()))
    for number, draw in PICTURES.items():
        (HERE / "pictures" / f"{number}.svg").write_text(svg(448, 280, 320, 200, draw()))
    files = [f"icons/{n}.svg" for n in sorted(ICONS)] + [f"pictures/{n}.svg" for n in sorted(PICTURES)]
    entries = "".join(f"    <file>{f}</file>\n" for f in files)
    (HERE / "kivo.qrc").write_text(
        '<!DOCTYPE RCC>\n<RCC version="1.0">\n  <qresource prefix="/">\n'
        f"{entries}  </qresource>\n</RCC>\n"
    )


if __name__ == "__main__":
    main()
