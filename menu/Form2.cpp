#include "menu/Form2.h"

#include "art/Skins.h"
#include "art/resources.h"
#include "forms/App.h"
#include "forms/MsgBox.h"
#include "forms/Shell.h"
#include "product/Identity.h"

namespace menu {

namespace {
forms::FormLayout Form2Layout() {
    forms::FormLayout layout;
    layout.Caption = "Form2";
    layout.Border = forms::BorderStyle::FixedToolWindow;
    layout.ShowInTaskbar = false;
    layout.Client = {0, 0, 3000, 1000};
    layout.IconId = IDI_APP;
    return layout;
}
}  // namespace

Form2::Form2(EyesControl& eyes, settings::SettingsStore& settings, settings::StartupRegistration& startup,
             Form3& aboutWindow)
    : Form(Form2Layout()),
      eyes_(eyes),
      settings_(settings),
      startup_(startup),
      form3_(aboutWindow) {
    about.Click = [this] { about_Click(); };
    for (std::size_t row = 0; row < skinItems.size(); ++row)
        skinItems[row]->Click = [this, row] { SwitchSkin(art::Skins[row].Number); };
    ontop.Click = [this] { ontop_Click(); };
    stp.Click = [this] { stp_Click(); };
    Exit.Click = [this] { Exit_Click(); };
    home.Click = [this] { home_Click(); };
}

std::vector<std::unique_ptr<forms::MenuItem>> Form2::SkinItems() {
    std::vector<std::unique_ptr<forms::MenuItem>> items;
    for (const art::Skin& skin : art::Skins)
        items.push_back(std::make_unique<forms::MenuItem>(std::string("&") + skin.Caption));
    return items;
}

std::vector<forms::MenuItem*> Form2::Items(const std::vector<std::unique_ptr<forms::MenuItem>>& items) {
    std::vector<forms::MenuItem*> pointers;
    for (const auto& item : items) pointers.push_back(item.get());
    return pointers;
}

void Form2::Form_Load() { tree_ = std::make_unique<forms::MenuTree>(base); }

void Form2::ShowEyesMenu(forms::Form& window, std::optional<POINT> at) {
    SetCheckMarks();
    tree_->PopupMenu(window.hWnd(), base, at);
}

void Form2::SetCheckMarks() {
    Load();
    const std::optional<std::int16_t> onTop = settings_.LoadOnTop();
    const std::optional<std::int16_t> registered = startup_.IsStartupRegistered();
    const bool turnedOff = startup_.TurnedOffByWindows();
    const bool canChange = startup_.CanChange();
    marks_ = MarksFor({onTop, registered, turnedOff, canChange, settings_.LoadSkin()}, marks_);
    ontop.SetChecked(marks_.OnTop);
    stp.SetChecked(marks_.RunAtStartup);
    stp.SetEnabled(marks_.RunAtStartupEnabled);
    for (std::size_t row = 0; row < skinItems.size(); ++row)
        skinItems[row]->SetChecked(marks_.Skin == art::Skins[row].Number);
}

void Form2::about_Click() {
    eyes_.Refresh();
    form3_.Show();
}

// The new skin is applied by a fresh start: skinner shows its splash and starts the eyes again.
void Form2::SwitchSkin(std::int32_t skinNumber) {
    eyes_.Refresh();
    settings_.SaveSkin(skinNumber);
    const std::wstring relauncher = forms::App.SiblingPath(product::Wide(product::SkinnerProgram));
    if (forms::StartProgram(relauncher)) forms::App.End();
    // The relauncher is missing or cannot run: say so and go on with the skin on show; the stored
    // skin is used at the next start.
    forms::MsgBox(SkinnerMissingText, MB_ICONWARNING, forms::App.Title);
}

void Form2::ontop_Click() {
    eyes_.Refresh();
    if (ontop.Checked()) {
        settings_.SaveOnTopOff();
        eyes_.SetZOrder(false);
    } else {
        settings_.SaveOnTopOn();
        eyes_.SetZOrder(true);
    }
}

void Form2::stp_Click() {
    eyes_.Refresh();
    if (stp.Checked()) startup_.UnregisterStartup();
    if (!stp.Checked()) startup_.RegisterStartup();
}

void Form2::Exit_Click() { forms::App.End(); }

void Form2::home_Click() {
    eyes_.Refresh();
    forms::OpenAddress(hWnd(), product::SiteAddress);
}

}  // namespace menu
