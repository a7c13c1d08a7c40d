#!/usr/bin/env python3
"""Writes the sample catalogue shipped with the program (data/Data/*.tbl).

The tables are pipe-delimited Windows-1252 text with CR LF line ends, a header row
first; docs/catalogue.md describes their columns. The sample uses the standard
rectangular waveguide sizes and is built so that every rule of the program is
exercised: all eleven families, special-quote sizes, sizes offered to some
families only, step twists with several bands, pressure windows per flange,
tapered transitions, flexible-twist length classes and every price rule.
"""
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, "data", "Data")
DEG = "\u00b0"

# WR number: (inner size, US military, British, IEC, low GHz, high GHz)
SIZES = {
    430: ("4.300 x 2.150", "RG-105/U", "WG8", "R22", 1.70, 2.60),
    340: ("3.400 x 1.700", "RG-112/U", "WG9A", "R26", 2.20, 3.30),
    284: ("2.840 x 1.340", "RG-48/U", "WG10", "R32", 2.60, 3.95),
    229: ("2.290 x 1.145", "RG-340/U", "WG11A", "R40", 3.30, 4.90),
    187: ("1.872 x 0.872", "RG-49/U", "WG12", "R48", 3.95, 5.85),
    159: ("1.590 x 0.795", "RG-343/U", "WG13", "R58", 4.90, 7.05),
    137: ("1.372 x 0.622", "RG-50/U", "WG14", "R70", 5.85, 8.20),
    112: ("1.122 x 0.497", "RG-51/U", "WG15", "R84", 7.05, 10.00),
    90: ("0.900 x 0.400", "RG-52/U", "WG16", "R100", 8.20, 12.40),
    75: ("0.750 x 0.375", "RG-346/U", "WG17", "R120", 10.00, 15.00),
    62: ("0.622 x 0.311", "RG-91/U", "WG18", "R140", 12.40, 18.00),
    51: ("0.510 x 0.255", "RG-352/U", "WG19", "R180", 15.00, 22.00),
    42: ("0.420 x 0.170", "RG-53/U", "WG20", "R220", 18.00, 26.50),
    34: ("0.340 x 0.170", "RG-354/U", "WG21", "R260", 22.00, 33.00),
    28: ("0.280 x 0.140", "RG-96/U", "WG22", "R320", 26.50, 40.00),
    22: ("0.224 x 0.112", "RG-97/U", "WG23", "R400", 33.00, 50.00),
    19: ("0.188 x 0.094", "RG-358/U", "WG24", "R500", 40.00, 60.00),
    15: ("0.148 x 0.074", "RG-98/U", "WG25", "R620", 50.00, 75.00),
    12: ("0.122 x 0.061", "RG-99/U", "WG26", "R740", 60.00, 90.00),
    10: ("0.100 x 0.050", "RG-359/U", "WG27", "R900", 75.00, 110.00),
}
ALL = sorted(SIZES, reverse=True)


def code(wr):
    return f"{wr:03d}"


# Families in the fixed order of the product-type list.
FAMILIES = [
    ("C", "Waveguide to Coax", "coax"),
    ("D", f"90{DEG} Rigid Twist", "rigidtwist"),
    ("E", f"E Bend 90{DEG}", "ebend"),
    ("F", "Flexible Twist", "flextwist"),
    ("H", f"H Bend 90{DEG}", "hbend"),
    ("M", f"90{DEG} Miter H", "miterh"),
    ("N", f"90{DEG} Miter E", "mitere"),
    ("W", "Pressure Window", "window"),
    ("R", "Straight Section", "straight"),
    ("S", f"90{DEG} Step Twist", "steptwist"),
    ("T", "Tapered Transition", "taper"),
]
METRIC_STEP = {"E": "5", "H": "5", "M": "5", "N": "5"}

# Which sizes each family offers.
STRAIGHT = ALL
BENDS = [284, 229, 187, 159, 137, 112, 90, 75, 62, 51, 42, 34, 28, 22]
H_ONLY = [19]  # listed under H only, so H bends do not offer it
MITERS = [284, 229, 187, 137, 112, 90, 75, 62, 51, 42, 34, 28]
RIGID_TWISTS = [187, 137, 112, 90, 75, 62, 51, 42, 34, 28, 22]
FLEX_TWISTS = [137, 112, 90, 75, 62, 51, 42, 34]
COAX = [430, 340, 284, 229, 187, 159, 137, 112, 90, 75, 62, 51, 42, 34, 28, 22]
WINDOWS = {284: "U", 229: "U", 187: "CU", 137: "CU", 112: "CUK", 90: "CUK", 62: "UK", 42: "U", 28: "R"}
STEP_TWISTS = [137, 112, 90, 75, 62, 42, 28]
# (smaller end, larger end); the smaller end's code names the pair.
TAPERS = [(28, 42), (42, 62), (51, 75), (62, 90), (75, 112), (90, 112), (112, 137), (137, 187),
          (187, 284)]

COVER = {430: "UG-435A/U", 340: "UG-553/U", 284: "UG-584/U", 229: "UG-1728/U", 187: "UG-407/U",
         159: "UG-1730/U", 137: "UG-344/U", 112: "UG-51/U", 90: "UG-39/U", 75: "UG-1732/U",
         62: "UG-419/U", 51: "UG-1665/U", 42: "UG-595/U", 34: "UG-1530/U", 28: "UG-599/U"}
CHOKE = {284: "UG-585A/U", 229: "UG-1727/U", 187: "UG-148C/U", 159: "UG-1729/U", 137: "UG-343B/U",
         112: "UG-52B/U", 90: "UG-40B/U", 75: "UG-1731/U", 62: "UG-541A/U", 51: "UG-1666/U",
         42: "UG-596A/U", 34: "UG-1531/U"}
ROUND = {28: "UG-381/U", 22: "UG-383/U", 19: "UG-383/U-M", 15: "UG-385/U", 12: "UG-387/U",
         10: "UG-387/U-M"}

COAX_TYPES = [("7", "7/16 DIN Female"), ("N", "Type N Female"), ("S", "SMA Female"),
              ("T", "TNC Female"), ("K", "2.92 mm (K) Female"), ("V", "2.4 mm Female")]


def coax_types_for(wr):
    if wr >= 229:
        return "7N"
    if wr >= 137:
        return "NT"
    if wr >= 62:
        return "NST"
    if wr >= 34:
        return "SK"
    return "KV"


def flanges_for(wr):
    rows = []
    if 90 <= wr <= 975:
        rows.append(("C", "CPR Flat", f"CPR-{wr}F", "flg_cpr.gif"))
        rows.append(("G", "CPR Grooved", f"CPR-{wr}G", "flg_cpr.gif"))
    if wr in COVER:
        rows.append(("U", "UG Cover", COVER[wr], "flg_cover.gif"))
    if wr in CHOKE:
        rows.append(("K", "UG Choke", CHOKE[wr], "flg_choke.gif"))
    if wr in ROUND:
        rows.append(("R", "Round Cover", ROUND[wr], "flg_round.gif"))
    return rows


def fmt(x):
    return f"{x:.2f}"


def bands_for(wr):
    """Band code and range text: the full band "S" and narrow bands."""
    low, high = SIZES[wr][4], SIZES[wr][5]
    span = high - low
    bands = [("S", f"{fmt(low)} - {fmt(high)} GHz")]
    bands.append(("A", f"{fmt(low + 0.05 * span)} - {fmt(low + 0.45 * span)} GHz"))
    bands.append(("B", f"{fmt(low + 0.35 * span)} - {fmt(low + 0.75 * span)} GHz"))
    if wr in (187, 137, 112, 90, 62, 42):
        bands.append(("C", f"{fmt(low + 0.55 * span)} - {fmt(high - 0.05 * span)} GHz"))
    return bands


def vswr(band, base):
    return f"{base if band == 'S' else base - 0.03:.2f}:1"


def money(x):
    return f"{x:.2f}"


def write(name, header, rows):
    lines = [header] + ["|".join(str(field) for field in row) for row in rows]
    with open(os.path.join(DATA, name), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def price_scale(wr):
    """Smaller waveguides cost more to make."""
    return 1.0 + (90 / wr) ** 0.5


def main():
    os.makedirs(DATA, exist_ok=True)

    write("Family.tbl", "Family|Family Type|Inch Step|Metric Step|Drawing|Photo",
          [(letter, name, "0.5", METRIC_STEP.get(letter, "10"), f"{pic}_dwg.gif", f"{pic}.gif")
           for letter, name, pic in FAMILIES])

    write("WGSize.tbl", "Code|WR|Inside (in)|US Military|British|IEC",
          [(code(wr), f"WR{wr}", SIZES[wr][0], SIZES[wr][1], SIZES[wr][2], SIZES[wr][3])
           for wr in ALL])

    write("Taper.tbl", "Code|Other End|WR|US Military|British|IEC",
          [(code(a), code(b), f"WR{a}/WR{b}", f"WR{a} - WR{b}",
            f"{SIZES[a][2]} - {SIZES[b][2]}", f"{SIZES[a][3]} - {SIZES[b][3]}")
           for a, b in TAPERS])

    write("Flange.tbl", "Code|Waveguide|Flange Type|Model|Picture",
          [(f[0], code(wr), f[1], f[2], f[3]) for wr in ALL for f in flanges_for(wr)])

    write("CoaxType.tbl", "Code|Type", COAX_TYPES)

    write("StepFlange.tbl", "Flange|Waveguide",
          [(f[0], code(wr)) for wr in STEP_TWISTS for f in flanges_for(wr) if f[0] in "UKR"])

    write("Frequency.tbl", "Waveguide|Band|Range",
          [(code(wr), band, text) for wr in ALL for band, text in bands_for(wr)])

    wgvswr = []
    for letter, sizes, base in (("D", RIGID_TWISTS, 1.15), ("E", BENDS, 1.10), ("H", BENDS + H_ONLY, 1.10),
                                ("M", MITERS, 1.15), ("N", MITERS, 1.15), ("R", STRAIGHT, 1.05),
                                ("T", [a for a, _ in TAPERS], 1.15)):
        for wr in sizes:
            for band, _ in bands_for(wr):
                wgvswr.append((letter, code(wr), band, vswr(band, base)))
    write("WGVSWR.tbl", "Family|Waveguide|Band|VSWR", wgvswr)

    classes = ("12", "24", "36")
    write("FlexVSWR.tbl", "Waveguide|Band|Length Class|VSWR",
          [(code(wr), band, cls, f"{1.10 + 0.05 * i - (0.03 if band != 'S' else 0):.2f}:1")
           for wr in FLEX_TWISTS for i, cls in enumerate(classes) for band, _ in bands_for(wr)[:3]])
    write("FlexSpecs.tbl", "Waveguide|Default (in)|Default (mm)",
          [(code(wr), "24.0" if wr >= 112 else "12.0", "610" if wr >= 112 else "305")
           for wr in FLEX_TWISTS])
    imperial_flex = ["6", "9", "12", "18", "24", "36"]
    metric_flex = ["152", "229", "305", "457", "610", "914"]
    write("FlexImperialLengths.tbl", "Length (in)", [(x,) for x in imperial_flex])
    write("FlexMetricLengths.tbl", "Length (mm)", [(x,) for x in metric_flex])

    coax_vswr = []
    for wr in COAX:
        for index, coax in enumerate(coax_types_for(wr)):
            for band, _ in bands_for(wr)[:2 + index % 2]:
                coax_vswr.append((code(wr), band, coax, vswr(band, 1.25)))
    write("CoaxVSWR.tbl", "Waveguide|Band|Coax Type|VSWR", coax_vswr)

    write("PressureWindows.tbl", "Waveguide|Flange|Window|Part Number|VSWR",
          [(code(wr), flange, "Mica" if wr >= 137 else "Kapton", f"PW{code(wr)}{flange}",
            "1.05:1" if flange != "K" else "1.08:1")
           for wr, flanges in WINDOWS.items() for flange in flanges])

    step_rows = []
    for wr in STEP_TWISTS:
        length = {137: "2.5", 112: "2.0", 90: "1.5", 75: "1.3", 62: "1.0", 42: "0.8", 28: "0.5"}[wr]
        for band, text in bands_for(wr):
            step_rows.append((code(wr), band, text, vswr(band, 1.20), f"ST{code(wr)}{band}", length))
    write("StepTwist.tbl", "Waveguide|Band|Range|VSWR|Part Number|Length", step_rows)

    dims = []
    for wr in STRAIGHT:
        top = 120.0 if wr >= 187 else 72.0 if wr >= 62 else 36.0
        low = "1.24" if wr == 10 else "0.5" if wr <= 22 else "1.0"
        dims.append(("R", code(wr), low, f"{top:.1f}", f"{round(top * 25.4)}", "12.0", "305"))
    for letter in "EH":
        for wr in BENDS:
            top = 36.0 if wr >= 187 else 12.0
            dims.append((letter, code(wr), "2.0", f"{top:.1f}", f"{round(top * 25.4)}", "3.0", "76"))
    for letter in "MN":
        for wr in MITERS:
            dims.append((letter, code(wr), "2.0", "24.0", "610", "6.0", "151"))
    twist_lengths = {187: "6.0", 137: "4.5", 112: "4.0", 90: "3.0", 75: "2.5", 62: "2.0",
                     51: "2.0", 42: "1.5", 34: "1.5", 28: "1.0"}
    for wr, length in twist_lengths.items():  # WR22 has no row: its preset reads "U/F"
        dims.append(("D", code(wr), length, length, f"{round(float(length) * 25.4)}", length,
                     f"{round(float(length) * 25.4)}"))
    for a, b in TAPERS:
        length = f"{max(2.0, 600 / a):.1f}"
        dims.append(("T", code(a), length, length, f"{round(float(length) * 25.4)}", length,
                     f"{round(float(length) * 25.4)}"))
    write("Dimensions.tbl", "Family|Waveguide|Min (in)|Max (in)|Max (mm)|Default (in)|Default (mm)",
          dims)

    write_prices(step_rows, coax_vswr)
    write_conversions()


def delivery(wr, rank=0):
    texts = [("Stock - 1 week", 5), ("2-3 weeks ARO", 10), ("4-6 weeks ARO", 25),
             ("8-10 weeks ARO", 0)]
    return texts[(rank + (0 if wr >= 62 else 1 if wr >= 28 else 2)) % len(texts)]


def write_prices(step_rows, coax_vswr):
    rows = []
    for wr in STRAIGHT:
        s = price_scale(wr)
        text, limit = delivery(wr)
        rows.append((code(wr), money(95 * s), money(28 * s), money(18.5), text, limit))
    write("StraightSectionPrice.tbl", "Waveguide|Base|Per Foot|Paint|Delivery|Quantity Limit", rows)

    rows = []
    for wr in RIGID_TWISTS:
        for i, (band, _) in enumerate(bands_for(wr)):
            text, limit = delivery(wr, i)
            rows.append((code(wr), band, f"Rigid twist WR{wr}", money(210 * price_scale(wr) + 35 * i),
                         text, limit, money(24)))
    write("RigidTwistPrice.tbl", "Waveguide|Band|Description|Price|Delivery|Quantity Limit|Paint",
          rows)

    write("TaperedTransitionPrice.tbl", "Waveguide|Description|Price|Delivery|Quantity Limit|Paint",
          [(code(a), f"Taper WR{a} to WR{b}", money(260 * price_scale(a)), *delivery(a, 1),
            money(26)) for a, b in TAPERS])

    rows = []
    seen = set()
    for wr_code, band, _, _ in coax_vswr:
        if (wr_code, band) in seen:
            continue
        seen.add((wr_code, band))
        wr = int(wr_code)
        price = 0 if (wr, band) == (22, "A") else 175 * price_scale(wr) + (0 if band == "S" else 40)
        rows.append((wr_code, band, f"Coax adaptor WR{wr}", money(price), *delivery(wr)))
    write("CoaxPrice.tbl", "Waveguide|Band|Description|Price|Delivery|Quantity Limit", rows)

    rows = []
    for wr in FLEX_TWISTS:
        s = price_scale(wr)
        for units, lengths in (("P", ["0060", "0090", "0120", "0180", "0240", "0360"]),
                               ("M", ["0152", "0229", "0305", "0457", "0610", "0914"])):
            for i, digits in enumerate(lengths):
                for band_class, extra in (("S", 0), ("#", 45)):
                    rows.append((code(wr), units, digits, band_class, f"Flex twist WR{wr}",
                                 money(180 * s + 22 * i + extra), *delivery(wr, i // 3)))
    write("FlexTwistPrice.tbl",
          "Waveguide|Units|Length|Band Class|Description|Price|Delivery|Quantity Limit", rows)

    write("MiterBendPrice.tbl",
          "Waveguide|Description|Base|Delivery|Quantity Limit|Long Leg|Paint|Band|Leg Threshold (in)",
          [(code(wr), f"Miter bend WR{wr}", money(165 * price_scale(wr)), *delivery(wr),
            money(55), money(21), money(30), "18.0") for wr in MITERS])

    for letter, name in (("E", "EBendPrice.tbl"), ("H", "HBendPrice.tbl")):
        rows = []
        for wr in BENDS:
            first = flanges_for(wr)[0][0]
            for units, legs in (("P", [("020", "020"), ("030", "030"), ("040", "040"),
                                       ("060", "060"), ("030", "060")]),
                                ("M", [("051", "051"), ("076", "076"), ("101", "101"),
                                       ("151", "151"), ("076", "151")])):
                for i, (leg_a, leg_b) in enumerate(legs):
                    for band, _ in bands_for(wr)[:3]:
                        for finish in "GN":
                            model = f"{letter}{code(wr)}{units}{first}{leg_a}{first}{leg_b}{band}{finish}"
                            price = 150 * price_scale(wr) + 12 * i + (0 if band == "S" else 25) + \
                                (18 if finish == "G" else 0)
                            rows.append((code(wr), model, money(price), *delivery(wr, i // 2)))
        write(name, "Waveguide|Model|Price|Delivery|Quantity Limit", rows)

    write("StepTwistPrice.tbl", "Part Number|Price",
          [(row[4], money(240 * price_scale(int(row[0])) + (0 if row[1] == "S" else 30)))
           for row in step_rows])


def write_conversions():
    rows = [
        ("WS-90-12-C39", "R090PU0120USG", "Direct replacement"),
        ("WS-90-12-C40", "R090PK0120USG", "Choke flange now code K"),
        ("WS-90-24-CPR", "R090PC0240CSG", "CPR flanges, gray finish"),
        ("WS-62-06-419", "R062PU0060KSN", "Unpainted finish"),
        ("WS-137-36", "R137PC0360CSG", "Length 36 in, CPR flat"),
        ("WSM-90-305", "R090MU0305USG", "Metric length 305 mm"),
        ("WB-90-E3", "E090PU030U030SG", "E bend, equal legs"),
        ("WB-90-E3X", "E090PC030U060AG", "E bend, flanges reordered for the catalogue"),
        ("WB-90-H3", "H090PU030U030SG", "H bend replaces old H-plane elbow"),
        ("MB-112-6", "M112PC060C060SG", "Miter H, CPR flanges"),
        ("MB-62-E", "N062PU060U090BN", "Miter E, unequal legs"),
        ("FT-90-12", "F090PU0120US", "Flexible twist, 12 in"),
        ("FT-90-305", "F090MU0305US", "Flexible twist, metric"),
        ("RT-90-S", "D090UUSG", "Rigid twist, full band"),
        ("RT-62-A", "D062KUAG", "Rigid twist, narrow band"),
        ("CA-90-N", "C090UNSG", "Coax adaptor, type N"),
        ("CA-42-SMA", "C042USAG", "Coax adaptor, SMA"),
        ("TT-62-90", "T062UCG", "Tapered transition WR62 to WR90"),
        ("ST-90-S", "ST090S", "Step twist, full band"),
        ("ST-90-X", "ST090A", "Step twist, lower band"),
        ("PW-90-CPR", "PW090C", "Pressure window for CPR flange"),
        ("WS-90-12-C39", "R090PU0120UAG", "Superseded entry (the first row wins)"),
    ]
    write("Conversion.tbl", "Old Part Number|New Part Number|Comments", rows)


if __name__ == "__main__":
    main()
