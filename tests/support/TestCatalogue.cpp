#include "TestCatalogue.h"

namespace pelmora::testing {

namespace {

std::string WithCrLf(const std::string& rows) {
    std::string text;
    size_t start = 0;
    while (start <= rows.size()) {
        const size_t end = rows.find('\n', start);
        text += rows.substr(start, end - start) + "\r\n";
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return text;
}

} // namespace

void WriteTable(const TempFolder& folder, const std::string& name, const std::string& rows) {
    folder.Write("Data/" + name, WithCrLf(rows));
}

void WriteTestCatalogue(const TempFolder& folder) {
    WriteTable(folder, "Family.tbl", R"(Letter|Type|Inch|Mm|Drawing|Photo
C|Waveguide to Coax|0.5|10|c_dwg.gif|c.gif
D|90 Rigid Twist|0.5|10|d_dwg.gif|d.gif
E|E Bend|0.5|10|e_dwg.gif|e.gif
F|Flexible Twist|0.5|10|f_dwg.gif|f.gif
H|H Bend|0.5|10|h_dwg.gif|h.gif
M|Miter H|0.5|10|m_dwg.gif|m.gif
N|Miter E|0.5|10|n_dwg.gif|n.gif
W|Pressure Window|0.5|10|w_dwg.gif|w.gif
R|Straight Section|0.5|10|r_dwg.gif|r.gif
S|Step Twist|0.5|10|s_dwg.gif|s.gif
T|Tapered Transition|0.5|10|t_dwg.gif|)");
    WriteTable(folder, "WGSize.tbl", R"(Code|WR|Inside|Mil|British|IEC
090|WR90|0.900|RG-52/U|WG16|R100
062|WR62|0.622|RG-91/U|WG18|R140
051|WR51|0.510|RG-352/U|WG19|R180
028|WR28|0.280|RG-96/U|WG22|R320)");
    WriteTable(folder, "Taper.tbl", R"(Code|Other|WR|Sizes|British|IEC
062|090|WR62/WR90|WR62 - WR90|WG18 - WG16|R140 - R100
042|062|WR42/WR62|WR42 - WR62|WG20 - WG18|R220 - R140
075|112|WR75/WR112|no dash|WG17 - WG15|R120 - R84)");
    WriteTable(folder, "Flange.tbl", R"(Code|Waveguide|Type|Model|Picture
C|090|CPR Flat|CPR-90F|cpr.gif
K|090|UG Choke|UG-40B/U|choke.gif
U|090|UG Cover|UG-39/U|missing.gif
U|062|UG Cover|UG-419/U|cover.gif
K|062|UG Choke|UG-541/U|
U|051|UG Cover|UG-1665/U|cover.gif
U|028|UG Cover|UG-599/U|cover.gif
U|042|UG Cover|UG-595/U|cover.gif)");
    WriteTable(folder, "CoaxType.tbl", R"(Code|Type
S|SMA Female
N|Type N Female)");
    WriteTable(folder, "StepFlange.tbl", R"(Flange|Waveguide
K|090
U|090
U|062)");
    WriteTable(folder, "Frequency.tbl", R"(Waveguide|Band|Range
090|S|8.20 - 12.40 GHz
090|X|8.50 - 9.60 GHz
090|Y|9.00 - 10.00 GHz
062|S|12.40 - 18.00 GHz
051|S|15.00 - 22.00 GHz
028|S|26.50 - 40.00 GHz
042|S|18.00 - 26.50 GHz)");
    WriteTable(folder, "WGVSWR.tbl", R"(Family|Waveguide|Band|VSWR
D|090|S|1.15:1
E|090|S|1.10:1
E|090|X|1.05:1
H|090|S|1.12:1
H|062|S|1.12:1
M|090|S|1.20:1
M|090|X|1.15:1
N|090|S|1.20:1
R|090|S|1.05:1
R|090|X|1.03:1
R|090|Y|1.04:1
R|062|S|1.05:1
R|051|S|1.05:1
R|028|S|1.05:1
T|062|S|1.15:1
T|042|S|1.15:1
T|075|S|1.15:1)");
    WriteTable(folder, "CoaxVSWR.tbl", R"(Waveguide|Band|Coax|VSWR
090|X|N|1.20:1
090|S|N|1.25:1
090|S|S|1.30:1
090|S|N|1.25:1
051|S|S|1.30:1
028|S|N|1.30:1)");
    WriteTable(folder, "FlexVSWR.tbl", R"(Waveguide|Band|Class|VSWR
090|S|12|1.10:1
090|S|24|1.15:1
090|X|24|1.12:1
090|S|6|1.05:1
090|S|18|1.13:1)");
    WriteTable(folder, "FlexSpecs.tbl", R"(Waveguide|Inches|Mm
090|12.0|305)");
    WriteTable(folder, "FlexImperialLengths.tbl", "Inches\n4\n6\n12\n13.5\n18\n24");
    WriteTable(folder, "FlexMetricLengths.tbl", "Mm\n152\n305\n457\n610");
    WriteTable(folder, "PressureWindows.tbl", R"(Waveguide|Flange|Window|Part Number|VSWR
090|C|Mica|PW090C|1.05:1
090|U|Mica|PW090U|1.07:1
062|U|Kapton|PW062U|1.08:1)");
    WriteTable(folder, "StepTwist.tbl", R"(Waveguide|Band|Range|VSWR|Part Number|Length
090|S|8.20 - 12.40 GHz|1.20:1|ST090S|1.5
090|A|8.50 - 9.60 GHz|1.15:1|ST090A|1.5
090|B|10.00 - 11.00 GHz|1.15:1|ST090B|2.0
062|S|12.40 - 18.00 GHz|1.20:1|ST062S|1.0)");
    WriteTable(folder, "Dimensions.tbl", R"(Family|Waveguide|Min|Max|MaxMm|Default|DefaultMm
R|090|1.0|24.0|610|12.0|305
R|062|1.0|24.0|610|12.0|305
E|090|2.0|12.0|305|3.0|76
H|090|2.0|12.0|305|3.0|76
M|090|2.0|24.0|610|6.0|152
N|090|2.0|24.0|610|6.0|152
D|090|3.0|3.0|76|3.0|76
T|062|4.0|4.0|102|4.0|102)");
    for (const char* picture :
         {"WG.gif", "NA.gif", "cpr.gif", "choke.gif", "cover.gif", "r.gif", "r_dwg.gif"})
        folder.Write(std::string("Images/") + picture, "GIF89a");
}

} // namespace pelmora::testing
