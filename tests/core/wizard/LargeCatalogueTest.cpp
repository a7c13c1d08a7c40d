// Work that grows with the catalogue must grow in step with it, not with its
// square: four times the rows take well below 16 times the time. Both counts lie
// beyond the processor's caches, where each row costs about the same.
#include "WizardFixture.h"
#include "support/BestSeconds.h"

namespace pelmora::testing {
namespace {

// WR90 with that many coax types, each with its own VSWR row; the first is N.
void WriteCoaxTypes(const TempFolder& folder, int types) {
    std::string names = "Code|Type";
    std::string vswr = "Waveguide|Band|Coax|VSWR";
    for (int i = 0; i < types; ++i) {
        const std::string code = i == 0 ? "N" : "Q" + std::to_string(i);
        names += "\n" + code + "|Type " + code;
        vswr += "\n090|S|" + code + "|1.2:1";
    }
    WriteTable(folder, "CoaxType.tbl", names);
    WriteTable(folder, "CoaxVSWR.tbl", vswr);
}

double CoaxPartSeconds(int types) {
    TempFolder folder;
    WriteTestCatalogue(folder);
    WriteCoaxTypes(folder, types);
    AppState app;
    app.SetFolders(folder.Path());
    FakePlatform platform;
    MainForm form(app, platform.Seams);
    form.FormCreate();
    const double seconds = BestSeconds([&] { form.ApplyPartNumber("C090CNSG"); });
    EXPECT_EQ(form.cbxCoax.Items.size(), static_cast<size_t>(types));
    EXPECT_TRUE(form.cbxCoax.HasSelection() &&
                form.cbxCoax.Items[static_cast<size_t>(form.cbxCoax.ItemIndex)][0] == "N");
    return seconds;
}

TEST(LargeCatalogue, CoaxTypesOfOneSizeCostInStepWithTheirNumber) {
    const double few = CoaxPartSeconds(4000);
    const double many = CoaxPartSeconds(16000);
    EXPECT_LT(many / few, 10.0) << few << " s for 4000 types, " << many << " s for 16000";
}

} // namespace
} // namespace pelmora::testing
