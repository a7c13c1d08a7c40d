#include "Cli.h"
#include "Utf8.h"
#include "WizardReport.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

#include <map>
#include <set>

namespace pelmora::cli {

namespace {

const std::set<std::string> Keys = {"family", "waveguide", "flangeA", "flangeB", "coax",
                                    "length", "legA",      "legB",    "adaptor", "units",
                                    "band",   "finish",    "confirm"};

// Walks the wizard as a user does, screen by screen, from key=value choices.
class Walk {
public:
    Walk(Cli& cli, std::map<std::string, std::string> choices)
        : cli_(cli), choices_(std::move(choices)), form_(StartWizard(cli)) {}

    int Run() {
        if (auto units = Take("units"))
            *units == "P"
                ? form_->mnuImperialClick()
                : (*units == "M" ? form_->mnuMetricClick() : Refuse("units", *units, "P, M"));
        if (auto confirm = Take("confirm"))
            cli_.Platform.ConfirmAnswer = ConfirmAnswer(*confirm);

        ScreenOne();
        form_->btnNextClick();
        if (form_->ActivePage == MainForm::ScreenTwo) {
            if (auto finish = Take("finish")) {
                if (!form_->cbxFinish.Enabled)
                    throw UsageError("finish: the finish of this family is fixed");
                form_->PickFinish(Pick("finish", *finish, form_->cbxFinish, 0));
            }
            if (auto band = Take("band"))
                form_->BandClick(BandIndex(*band));
            form_->btnCreateClick();
        }
        PrintWizard(cli_, *form_, "");
        // A typed length that was refused is no choice of the user's, whatever the
        // box holds in its place.
        return form_->txtPartNumber.empty() || refused_ ? Negative : Success;
    }

private:
    void ScreenOne() {
        if (auto family = Take("family")) {
            int index = -1;
            for (size_t i = 0; i < form_->cbxProductType.Items.size() && index < 0; ++i) {
                const auto& row = form_->cbxProductType.Items[i];
                if (row[0] == *family || SameTextNoCase(row[1], *family))
                    index = static_cast<int>(i);
            }
            if (index < 0)
                Refuse("family", *family, Offered(form_->cbxProductType));
            form_->PickProductType(index);
        }
        if (auto waveguide = Take("waveguide"))
            form_->PickWaveguide(Pick("waveguide", *waveguide, form_->cbxWaveguide, 1));
        if (auto flangeA = Take("flangeA"))
            form_->PickFlangeA(Pick("flangeA", *flangeA, form_->cbxFlangeA, -1));
        if (auto adaptor = Take("adaptor")) {
            if (!form_->chkFlangeAdaptorVisible)
                throw UsageError("adaptor: only straight sections show For Flange Adaptor");
            if (*adaptor != "yes" && *adaptor != "no")
                Refuse("adaptor", *adaptor, "yes, no");
            if ((*adaptor == "yes") != form_->chkFlangeAdaptorChecked)
                form_->ToggleFlangeAdaptor();
        }
        Length("length", form_->cbxLength, MainForm::MultiPage);
        Length("legA", form_->cbxLegALength, MainForm::DualPage);
        Length("legB", form_->cbxLegBLength, MainForm::DualPage);
        if (auto flangeB = Take("flangeB"))
            form_->PickFlangeB(Pick("flangeB", *flangeB, form_->cbxFlangeB, -1));
        if (auto coax = Take("coax"))
            form_->PickCoax(Pick("coax", *coax, form_->cbxCoax, -1));
    }

    // Typed into an editable box it goes through the window's check of typed
    // lengths; otherwise it must be one of the entries.
    void Length(const char* key, TPelmoraComboBox& box, MainForm::LengthPage page) {
        const auto value = Take(key);
        if (!value)
            return;
        if (form_->ActiveLengthPage != page)
            throw UsageError(std::string(key) + ": this family has no such length box");
        if (box.Editable && !box.Items.empty()) {
            form_->LengthBoxEnter(box);
            form_->TypeLength(box, *value);
            form_->LengthBoxExit(box);
            refused_ = refused_ || form_->TypedLengthRefused;
            return;
        }
        for (size_t i = 0; i < box.Items.size(); ++i) {
            if (box.Items[i] == *value)
                return form_->PickLength(box, static_cast<int>(i));
        }
        std::string offered;
        for (const auto& item : box.Items)
            offered += (offered.empty() ? "" : ", ") + item;
        Refuse(key, *value, offered);
    }

    int BandIndex(const std::string& code) const {
        std::string offered;
        for (size_t i = 0; i < form_->rgFrequency.BandButtons.size(); ++i) {
            const auto& band = form_->rgFrequency.BandButtons[i];
            if (band.BandCode == code)
                return static_cast<int>(i);
            offered += (offered.empty() ? "" : ", ") + band.BandCode;
        }
        Refuse("band", code, offered);
    }

    // The entry whose code (or name, in the column given) is the value.
    static int Pick(const char* key, const std::string& value, const ComboState& list,
                    int nameColumn) {
        for (size_t i = 0; i < list.Items.size(); ++i) {
            const auto& row = list.Items[i];
            if (row[0] == value ||
                (nameColumn >= 0 && SameTextNoCase(row[static_cast<size_t>(nameColumn)], value)))
                return static_cast<int>(i);
        }
        Refuse(key, value, Offered(list));
    }

    static std::string Offered(const ComboState& list) {
        std::string offered;
        for (const auto& row : list.Items)
            offered += (offered.empty() ? "" : ", ") + row[0] +
                       (row.size() > 1 ? " (" + row[1] + ")" : "");
        return offered;
    }

    [[noreturn]] static void Refuse(const std::string& key, const std::string& value,
                                    const std::string& offered) {
        throw UsageError(key + ": \"" + ToUtf8(value) + "\" is not offered; the list offers " +
                         (offered.empty() ? "nothing" : ToUtf8(offered)));
    }

    static ModalResult ConfirmAnswer(const std::string& answer) {
        if (answer == "continue")
            return ModalResult::Ok;
        if (answer == "swap")
            return ModalResult::Retry;
        if (answer == "cancel")
            return ModalResult::Cancel;
        Refuse("confirm", answer, "continue, swap, cancel");
    }

    std::optional<std::string> Take(const std::string& key) {
        const auto found = choices_.find(key);
        if (found == choices_.end())
            return std::nullopt;
        return FromUtf8(found->second);
    }

    Cli& cli_;
    std::map<std::string, std::string> choices_;
    std::unique_ptr<MainForm> form_;
    bool refused_ = false;
};

} // namespace

int Build(Cli& cli, const Arguments& arguments) {
    std::map<std::string, std::string> choices;
    for (const std::string& argument : arguments) {
        const size_t equals = argument.find('=');
        if (equals == std::string::npos)
            throw UsageError("build takes key=value choices, not " + argument);
        const std::string key = argument.substr(0, equals);
        if (!Keys.count(key))
            throw UsageError("unknown key " + key);
        choices[key] = argument.substr(equals + 1);
    }
    return Walk(cli, std::move(choices)).Run();
}

} // namespace pelmora::cli
