#pragma once

#include "catalogue/AppState.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"
#include "support/TestCatalogue.h"
#include "wizard/MainForm.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace pelmora::testing {

// The main form started on the test catalogue, driven as a user drives it.
class WizardTest : public ::testing::Test {
protected:
    WizardTest() {
        WriteTestCatalogue(folder);
        app.SetFolders(folder.Path());
        form = std::make_unique<MainForm>(app, platform.Seams);
        form->FormCreate();
    }

    MainForm& Main() { return *form; }

    // Picks the entry whose first column is the code.
    static int IndexOf(const ComboState& list, const std::string& code) {
        for (size_t i = 0; i < list.Items.size(); ++i) {
            if (list.Items[i][0] == code)
                return static_cast<int>(i);
        }
        ADD_FAILURE() << "no entry " << code;
        return -1;
    }
    static int IndexOf(const TPelmoraComboBox& box, const std::string& text) {
        for (size_t i = 0; i < box.Items.size(); ++i) {
            if (box.Items[i] == text)
                return static_cast<int>(i);
        }
        ADD_FAILURE() << "no length " << text;
        return -1;
    }

    void PickFamily(TProductFamily family) { Main().PickProductType(family); }
    void PickWaveguide(const std::string& code) {
        Main().PickWaveguide(IndexOf(Main().cbxWaveguide, code));
    }
    void PickFlangeA(const std::string& code) {
        Main().PickFlangeA(IndexOf(Main().cbxFlangeA, code));
    }
    void PickFlangeB(const std::string& code) {
        Main().PickFlangeB(IndexOf(Main().cbxFlangeB, code));
    }
    void PickCoax(const std::string& code) { Main().PickCoax(IndexOf(Main().cbxCoax, code)); }
    void PickLength(TPelmoraComboBox& box, const std::string& text) {
        Main().PickLength(box, IndexOf(box, text));
    }

    std::vector<std::string> BandCodes() const {
        std::vector<std::string> codes;
        for (const auto& band : form->rgFrequency.BandButtons)
            codes.push_back(band.BandCode);
        return codes;
    }
    std::string CheckedBand() const {
        const auto* band = form->rgFrequency.SelectedBand();
        return band ? band->BandCode : "";
    }
    // The description grid as "code|item|value" lines, blank rows left out.
    std::vector<std::string> Grid() const {
        std::vector<std::string> rows;
        for (const auto& row : form->grdSpecs) {
            if (!row[1].empty() || !row[2].empty() || !row[3].empty())
                rows.push_back(row[1] + "|" + row[2] + "|" + row[3]);
        }
        return rows;
    }
    std::vector<FakeMessageBoxes::Shown>& Messages() { return platform.Messages.Log; }

    TempFolder folder;
    AppState app;
    FakePlatform platform;
    std::unique_ptr<MainForm> form;
};

} // namespace pelmora::testing
