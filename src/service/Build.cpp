#include "Commands.h"
#include "Suggestions.h"
#include "Utf8.h"
#include "WizardWalk.h"
#include "catalogue/Text1252.h"
#include "wizard/MainForm.h"

#include <algorithm>
#include <map>

namespace pelmora::service {

namespace {

// Walks the wizard as a user does, screen by screen, from key=value choices.
class Builder {
public:
    Builder(Session& session, std::map<std::string, std::string> choices)
        : session_(session), choices_(std::move(choices)), form_(StartWizard(session)) {}

    Reply Run() {
        if (auto units = Take("units"))
            *units == "P"
                ? form_->mnuImperialClick()
                : (*units == "M" ? form_->mnuMetricClick() : Refuse("units", *units, "P, M"));
        if (auto confirm = Take("confirm"))
            session_.Platform.ConfirmAnswer = ConfirmAnswer(*confirm);

        ScreenOne();
        form_->btnNextClick();
        if (form_->ActivePage == MainForm::ScreenTwo) {
            if (auto finish = Take("finish")) {
                if (!form_->cbxFinish.Enabled)
                    throw RequestError("finish: the finish of this family is fixed");
                form_->PickFinish(Pick("finish", *finish, form_->cbxFinish, 0));
            }
            if (auto band = Take("band"))
                form_->BandClick(BandIndex(*band));
            form_->btnCreateClick();
        }
        Reply reply = WizardReply(session_, *form_, "");
        // A typed length that was refused is no choice of the user's, whatever the
        // box holds in its place.
        reply.Status = form_->txtPartNumber.empty() || refused_ ? Negative : Success;
        return reply;
    }

private:
    void ScreenOne() {
        if (auto family = Take("family")) {
            form_->PickProductType(Pick("family", *family, form_->cbxProductType, 1));
        }
        if (auto waveguide = Take("waveguide"))
            form_->PickWaveguide(Pick("waveguide", *waveguide, form_->cbxWaveguide, 1));
        if (auto flangeA = Take("flangeA"))
            form_->PickFlangeA(Pick("flangeA", *flangeA, form_->cbxFlangeA, -1));
        if (auto adaptor = Take("adaptor")) {
            if (!form_->chkFlangeAdaptorVisible)
                throw RequestError("adaptor: only straight sections show For Flange Adaptor");
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
            throw RequestError(std::string(key) + ": this family has no such length box");
        if (box.Editable && !box.Items.empty()) {
            form_->LengthBoxEnter(box);
            form_->TypeLength(box, *value);
            form_->LengthBoxExit(box);
            refused_ = refused_ || form_->TypedLengthRefused;
            return;
        }
        ComboState entries;
        for (const auto& item : box.Items)
            entries.Items.push_back({item});
        if (const auto index = FindEntry(entries, *value, -1))
            return form_->PickLength(box, *index);
        std::string offered;
        for (const auto& item : box.Items)
            offered += (offered.empty() ? "" : ", ") + item;
        Refuse(key, *value, offered);
    }

    int BandIndex(const std::string& code) const {
        ComboState bands;
        for (const auto& band : form_->rgFrequency.BandButtons)
            bands.Items.push_back({band.BandCode});
        if (const auto index = FindEntry(bands, code, -1))
            return *index;
        std::string offered;
        for (const auto& band : bands.Items)
            offered += (offered.empty() ? "" : ", ") + band[0];
        Refuse("band", code, offered);
    }

    // The entry the value names: its code, its name in the column given, or #N.
    static int Pick(const char* key, const std::string& value, const ComboState& list,
                    int nameColumn) {
        if (const auto index = FindEntry(list, value, nameColumn))
            return *index;
        Refuse(key, value, Offered(list));
    }

    [[noreturn]] static void Refuse(const std::string& key, const std::string& value,
                                    const std::string& offered) {
        throw RequestError(key + ": \"" + ToUtf8(value) + "\" is not offered; the list offers " +
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

    Session& session_;
    std::map<std::string, std::string> choices_;
    std::unique_ptr<MainForm> form_;
    bool refused_ = false;
};

} // namespace

const std::vector<BuildKey>& BuildKeys() {
    static const std::vector<BuildKey> keys = {
        {"family", "the product family: code, name or #N"},
        {"waveguide", "the waveguide size: code, name or #N"},
        {"flangeA", "flange A: code, name or #N"},
        {"flangeB", "flange B: code, name or #N"},
        {"coax", "the coax connector of a waveguide-to-coax transition"},
        {"length", "the length: an entry, or typed where the box takes it"},
        {"legA", "leg A's length of a bend or twist"},
        {"legB", "leg B's length"},
        {"adaptor", "yes or no: For Flange Adaptor (straight sections)"},
        {"units", "P (inches) or M (millimetres)"},
        {"band", "the frequency band on screen 2: its code or #N"},
        {"finish", "the finish on screen 2: code, name or #N"},
        {"confirm", "the answer to Confirm Configuration: continue, swap or cancel"}};
    return keys;
}

std::vector<std::string> BuildKeyNames() {
    std::vector<std::string> names;
    for (const BuildKey& key : BuildKeys())
        names.emplace_back(key.Name);
    return names;
}

// Every choice is checked before the wizard starts; a key given twice is refused
// rather than letting one of the two values win unseen.
Reply Build(Session& session, const std::vector<std::string>& arguments) {
    if (arguments.empty())
        throw RequestError("build needs key=value choices, such as family=R; see help build");
    const std::vector<std::string> names = BuildKeyNames();
    std::map<std::string, std::string> choices;
    for (const std::string& argument : arguments) {
        const size_t equals = argument.find('=');
        if (equals == std::string::npos)
            throw RequestError("build takes key=value choices, not " + argument);
        const std::string key = argument.substr(0, equals);
        if (std::find(names.begin(), names.end(), key) == names.end())
            throw RequestError(NoSuch("key", key, names));
        if (!choices.emplace(key, argument.substr(equals + 1)).second)
            throw RequestError("key " + key + " is given twice");
    }
    return Builder(session, std::move(choices)).Run();
}

} // namespace pelmora::service
