#!/usr/bin/env python3
"""Writes the bundled example sections of Remanex into examples/.

Two made-up sections from one folded sedimentary site, each in the five laboratory
layouts the converter reads (.app fixed columns, .tab TAB-separated, .cma
comma-separated, .nta TAB-separated without line numbers, .txt space-separated):

  examples/thermal/KVT.*  thermal demagnetisation, NRM to 580 C
  examples/af/KVA.*       alternating-field demagnetisation, NRM to 100 mT

Every value is written with the same digits in all five files, so converting any
of them gives the same sample file. The data are synthetic: each specimen carries a
characteristic remanence (normal or reversed, by stratigraphic zone, scattered
about the site mean in tilt-corrected coordinates) and a soft present-field
overprint in geographic coordinates, plus measurement noise; the intensity decays
with the unblocking spectrum of the method.

The output is fully determined by the fixed seeds below; run
    python3 tools/make_examples.py
from the repository root (or give the examples folder as the only argument).
"""

import math
import os
import random
import sys

EOL = "\r\n"

SITE_LAT = 39.62
SITE_LON = 20.85
BED_DIP_DIRECTION = 118.0  # degrees
BED_DIP = 24.0  # degrees
MEAN_DEC = 9.0  # characteristic direction, tilt-corrected, normal polarity
MEAN_INC = 54.0
OVERPRINT_DEC = 0.0  # present field at the site, geographic
OVERPRINT_INC = round(math.degrees(math.atan(2.0 * math.tan(math.radians(SITE_LAT)))), 1)

THERMAL_LEVELS = [0, 100, 150, 200, 250, 300, 350, 400, 450, 500, 530, 560, 580]
AF_LEVELS = ["0", "2.5", "5", "7.5", "10", "15", "20", "25", "30", "40", "50", "60", "80", "100"]


# ---- vectors: x north, y east, z down ----------------------------------------------

def to_xyz(dec, inc, length=1.0):
    d, i = math.radians(dec), math.radians(inc)
    return [length * math.cos(i) * math.cos(d), length * math.cos(i) * math.sin(d), length * math.sin(i)]


def to_dir(v):
    h = math.hypot(v[0], v[1])
    dec = math.degrees(math.atan2(v[1], v[0])) % 360.0
    inc = math.degrees(math.atan2(v[2], h))
    return dec, inc, math.sqrt(h * h + v[2] * v[2])


def rotate(v, axis, angle_deg):
    """Rodrigues rotation of v about the unit vector axis."""
    a = math.radians(angle_deg)
    c, s = math.cos(a), math.sin(a)
    k = axis
    dot = sum(k[j] * v[j] for j in range(3))
    cross = [k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2], k[0] * v[1] - k[1] * v[0]]
    return [v[j] * c + cross[j] * s + k[j] * dot * (1 - c) for j in range(3)]


STRIKE_AXIS = to_xyz(BED_DIP_DIRECTION - 90.0, 0.0)
# The sign that brings the down-dip line of the bed back to the horizontal.
_down_dip = to_xyz(BED_DIP_DIRECTION, BED_DIP)
TILT_SIGN = 1.0 if abs(rotate(_down_dip, STRIKE_AXIS, BED_DIP)[2]) < 1e-9 else -1.0
assert abs(rotate(_down_dip, STRIKE_AXIS, TILT_SIGN * BED_DIP)[2]) < 1e-9


def tilt_correct(v):
    return rotate(v, STRIKE_AXIS, TILT_SIGN * BED_DIP)


def untilt(v):
    return rotate(v, STRIKE_AXIS, -TILT_SIGN * BED_DIP)


def scatter(rng, dec, inc, kappa):
    """A direction drawn from a Fisher distribution about (dec, inc)."""
    u = rng.random()
    theta = math.degrees(math.acos(1.0 + math.log(u + (1.0 - u) * math.exp(-2.0 * kappa)) / kappa))
    phi = rng.uniform(0.0, 360.0)
    # rotate a direction theta away from the pole (0, 90) to sit about (dec, inc)
    v = to_xyz(phi, 90.0 - theta)
    v = rotate(v, [0.0, 1.0, 0.0], 90.0 - inc)  # tilt the pole from vertical down to inc
    v = rotate(v, [0.0, 0.0, 1.0], dec)
    return v


def random_unit(rng):
    z = rng.uniform(-1.0, 1.0)
    phi = rng.uniform(0.0, 2.0 * math.pi)
    r = math.sqrt(1.0 - z * z)
    return [r * math.cos(phi), r * math.sin(phi), z]


# ---- value texts, identical in every layout ------------------------------------------

def f_dec(x):
    t = "%.1f" % (x % 360.0)
    return "0.0" if t == "360.0" else t


def f_inc(x):
    t = "%.1f" % x
    return "0.0" if t == "-0.0" else t


def f_int(x):
    return "%.2E" % x


def f_err(x):
    return "%.2f" % min(x, 99.99)


# ---- the two sections -------------------------------------------------------------

def polarity_of(k, zones):
    for upto, pol in zones:
        if k <= upto:
            return pol
    return zones[-1][1]


def make_section(seed, kind, count, prefix, suffix):
    rng = random.Random(seed)
    zones = [(9, "N"), (21, "R"), (28, "N"), (count, "R")]
    samples = []
    meters = 0.4
    for k in range(1, count + 1):
        meters += rng.uniform(0.3, 1.2)
        pol = polarity_of(k, zones)
        dec, inc = (MEAN_DEC, MEAN_INC) if pol == "N" else (MEAN_DEC + 180.0, -MEAN_INC)
        poor = rng.random() < 0.12  # a few weakly magnetised, scattered specimens
        chrm_tilt = scatter(rng, dec, inc, 25.0 if poor else 60.0)
        chrm = untilt(chrm_tilt)  # the remanence as found in the folded beds
        over = scatter(rng, OVERPRINT_DEC, OVERPRINT_INC, 30.0)
        m0 = math.exp(rng.gauss(math.log(4.0e-5), 0.6)) * (0.15 if poor else 1.0)
        over_ratio = rng.uniform(0.25, 0.9)
        noise = 4.0e-8 + m0 * (0.02 if poor else 0.006)

        if kind == "TT":
            tb = rng.uniform(505.0, 545.0)
            width = rng.uniform(18.0, 35.0)
            to = rng.uniform(180.0, 260.0)
            last = len(THERMAL_LEVELS) if rng.random() > 0.25 else len(THERMAL_LEVELS) - 1
            levels = [str(t) for t in THERMAL_LEVELS[:last]]

            def remaining(level):
                t = float(level)
                ch = (1.0 / (1.0 + math.exp((t - tb) / width))) / (1.0 / (1.0 + math.exp((20.0 - tb) / width)))
                ov = 1.0 / (1.0 + math.exp((t - to) / 30.0)) / (1.0 / (1.0 + math.exp((20.0 - to) / 30.0)))
                return ch, ov
        else:
            b0 = rng.uniform(22.0, 45.0)
            bo = rng.uniform(4.0, 9.0)
            last = len(AF_LEVELS) if rng.random() > 0.25 else len(AF_LEVELS) - 2
            levels = AF_LEVELS[:last]

            def remaining(level):
                b = float(level)
                return math.exp(-((b / b0) ** 1.6)), math.exp(-((b / bo) ** 2.0))

        steps = []
        for level in levels:
            ch, ov = remaining(level)
            v = [m0 * ch * chrm[j] + m0 * over_ratio * ov * over[j] for j in range(3)]
            e = random_unit(rng)
            amount = abs(rng.gauss(0.0, noise))
            v = [v[j] + amount * e[j] for j in range(3)]
            gdec, ginc, mag = to_dir(v)
            tdec, tinc, _ = to_dir(tilt_correct(v))
            err = math.degrees(math.asin(min(1.0, 2.0 * noise / mag))) if mag > 0 else 99.99
            method = "NRM" if level == "0" else kind
            steps.append({
                "method": method, "level": level,
                "gdec": f_dec(gdec), "ginc": f_inc(ginc), "tdec": f_dec(tdec), "tinc": f_inc(tinc),
                "intensity": f_int(mag), "error": f_err(err),
            })
        samples.append({
            "name1": prefix, "name2": "%02d%s" % (k, suffix), "meters": "%.2f" % meters,
            "orient": ["%.1f" % rng.uniform(0.0, 359.9), "%.1f" % rng.uniform(-60.0, -20.0),
                       "%.1f" % BED_DIP_DIRECTION, "%.1f" % BED_DIP],
            "steps": steps,
        })
    return samples


# ---- the five layouts ----------------------------------------------------------------

def col(text, width):
    if len(text) > width:
        raise ValueError("%r does not fit %d columns" % (text, width))
    return text.rjust(width)


def write_layouts(folder, stem, name1, name2, samples):
    lat, lon = "%.2f" % SITE_LAT, "%.2f" % SITE_LON
    fdec, finc = "%.1f" % OVERPRINT_DEC, "%.1f" % OVERPRINT_INC
    lines = 1 + sum(1 + len(s["steps"]) for s in samples)
    last = str(lines + 1)  # the last line number of the file, as laboratories write it
    count = str(len(samples))
    out = {ext: [] for ext in ("app", "tab", "cma", "nta", "txt")}

    out["app"].append((name1 + " " + name2).ljust(16) + col(lat, 6) + col(lon, 6) + col(fdec, 6) + col(finc, 8)
                      + col(last, 7) + col(count, 5) + " " * 6 + col("1", 4))
    for ext, sep in (("tab", "\t"), ("cma", ",")):
        out[ext].append(sep.join([name1, name2, lat, lon, fdec, finc, last, count, "1"]))
    out["nta"].append("\t".join([name1 + " " + name2, lat, lon, fdec, finc]))
    out["txt"].append("%s %s   %6s  %6s  %6s  %6s  %5s  %3s 1" % (name1, name2, lat, lon, fdec, finc, last, count))

    n = 1
    for s in samples:
        n += 1
        own = n
        end = own + len(s["steps"])
        nxt = end + 1
        name = s["name1"] + " " + s["name2"]
        o = s["orient"]
        out["app"].append(name.ljust(16) + col(s["meters"], 6) + "".join(col(x, 6) for x in o) + "   "
                          + col(str(end), 5) + col(str(nxt), 6) + col(str(own), 4))
        for ext, sep in (("tab", "\t"), ("cma", ",")):
            out[ext].append(sep.join([s["name1"], s["name2"], s["meters"]] + o + [str(end), str(nxt), str(own)]))
        out["nta"].append("\t".join([s["name1"], s["name2"], s["meters"]] + o))
        out["txt"].append("%-16s %6s %6s %6s %6s %6s %6s %6s %6s"
                          % (name, s["meters"], o[0], o[1], o[2], o[3], end, nxt, own))
        for st in s["steps"]:
            n += 1
            ml = st["method"].ljust(3) + st["level"].rjust(3)
            values = [st["gdec"], st["ginc"], st["tdec"], st["tinc"], st["intensity"], st["error"]]
            out["app"].append(name.ljust(14)[:14] + st["method"].ljust(3) + col(st["level"], 3)
                              + col(st["gdec"], 7) + col(st["ginc"], 5) + " " + col(st["tdec"], 6)
                              + col(st["tinc"], 5) + "  " + col(st["intensity"], 8) + " " + col(st["error"], 5)
                              + col(str(n), 4))
            for ext, sep in (("tab", "\t"), ("cma", ",")):
                out[ext].append(sep.join([s["name1"], s["name2"], ml] + values + [str(n)]))
            out["nta"].append("\t".join([s["name1"], s["name2"], ml] + values))
            out["txt"].append("%-16s %-3s %4s %6s %5s %6s %5s %s %6s %6d"
                              % (name, st["method"], st["level"], values[0], values[1], values[2], values[3],
                                 values[4], values[5], n))
    assert n == lines
    os.makedirs(folder, exist_ok=True)
    for ext, content in out.items():
        with open(os.path.join(folder, stem + "." + ext), "w", encoding="ascii", newline="") as f:
            f.write(EOL.join(content) + EOL)
    return lines


README = """# Example sections

Two example sections bundled with Remanex, written by `tools/make_examples.py`
(run it again to regenerate them; the output is fixed by its seeds). The data are
synthetic but behave like a folded sedimentary sequence: each specimen carries a
characteristic remanence of normal or reversed polarity (four stratigraphic
polarity zones) and a soft present-field overprint, with measurement noise; a few
specimens are weak and scattered.

| Folder | Files | Demagnetisation | Samples | Lines |
|---|---|---|---|---|
| `thermal/` | `KVT.app`, `KVT.tab`, `KVT.cma`, `KVT.nta`, `KVT.txt` | thermal, NRM to 580 C | {tn} | {tl} |
| `af/` | `KVA.app`, `KVA.tab`, `KVA.cma`, `KVA.nta`, `KVA.txt` | alternating field, NRM to 100 mT | {an} | {al} |

Site: latitude {lat} N, longitude {lon} E; bedding dip direction {dd}, dip {dip}
(the "orientation" values of each sample header hold sample azimuth, sample dip,
bedding dip direction and bedding dip; the converter does not read them). The
present-field values of the section header are declination 0 and the inclination of
a geocentric axial dipole at the site.

The five files of a folder hold the same values with the same digits, so each
converts to the same sample file, e.g.

    remanex-cli convert examples/thermal/KVT.app

writes `examples/thermal/KVT.mag`. Lines end with CR LF; the section header's last
line number is the number of the last line plus one.
"""


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..",
                                                              "examples")
    thermal = make_section(20240611, "TT", 36, "KVT", "a")
    af = make_section(20240612, "AF", 32, "KVA", "b")
    tl = write_layouts(os.path.join(root, "thermal"), "KVT", "KV", "Thermal", thermal)
    al = write_layouts(os.path.join(root, "af"), "KVA", "KV", "AF-Demag", af)
    with open(os.path.join(root, "README.md"), "w", encoding="ascii", newline="\n") as f:
        f.write(README.format(tn=len(thermal), tl=tl, an=len(af), al=al, lat="%.2f" % SITE_LAT,
                              lon="%.2f" % SITE_LON, dd="%.0f" % BED_DIP_DIRECTION, dip="%.0f" % BED_DIP))


if __name__ == "__main__":
    main()
