#include "Form2.h"

#include "Addresses.h"
#include "App.h"
#include "MsgBox.h"
#include "Program.h"
#include "Shell.h"
#include "resources.h"

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

Form2::Form2(eyes::Program& program) : Form(Form2Layout()), program_(program) {
    about.Click = [this] { about_Click(); };
    vw.Click = [this] { vw_Click(); };
    blackwhite.Click = [this] { blackwhite_Click(); };
    ontop.Click = [this] { ontop_Click(); };
    stp.Click = [this] { stp_Click(); };
    Exit.Click = [this] { Exit_Click(); };
    home.Click = [this] { home_Click(); };
}

void Form2::Form_Load() { tree_ = std::make_unique<forms::MenuTree>(base); }

void Form2::ShowEyesMenu(forms::Form& window) {
    SetCheckMarks();
    tree_->PopupMenu(window.hWnd(), base);
}

void Form2::SetCheckMarks() {
    Load();
    ontop.SetChecked(program_.settings.LoadOnTop() == 1);
    if (auto registered = program_.startup.IsStartupRegistered()) startupFlag_ = *registered;
    stp.SetChecked(startupFlag_ == 1);
    const auto skinNumber = program_.settings.LoadSkin();
    if (skinNumber == 1) {
        vw.SetChecked(true);
        blackwhite.SetChecked(false);
    } else if (skinNumber == 2) {
        vw.SetChecked(false);
        blackwhite.SetChecked(true);
    }
}

void Form2::about_Click() {
    program_.form1.Refresh();
    program_.form3.Show();
}

void Form2::vw_Click() { SwitchSkin(1); }
void Form2::blackwhite_Click() { SwitchSkin(2); }

// The new skin is applied by a fresh start: skinner shows its splash and starts the eyes again.
void Form2::SwitchSkin(std::int32_t skinNumber) {
    program_.form1.Refresh();
    program_.settings.SaveSkin(skinNumber);
    const std::string relauncher = forms::App.Path() + "\\" + "skinner.exe";
    if (forms::StartProgram(relauncher)) forms::App.End();
    // The relauncher is missing or cannot run: say so and go on with the skin on show; the stored
    // skin is used at the next start.
    forms::MsgBox(SkinnerMissingText, MB_ICONWARNING, forms::App.Title);
}

void Form2::ontop_Click() {
    program_.form1.Refresh();
    if (ontop.Checked()) {
        program_.settings.SaveOnTopOff();
        eyes::SetEyesZOrder(program_, false);
    } else {
        program_.settings.SaveOnTopOn();
        eyes::SetEyesZOrder(program_, true);
    }
}

void Form2::stp_Click() {
    program_.form1.Refresh();
    if (stp.Checked()) program_.startup.UnregisterStartup();
    if (!stp.Checked()) program_.startup.RegisterStartup();
}

void Form2::Exit_Click() { forms::App.End(); }

void Form2::home_Click() {
    program_.form1.Refresh();
    forms::OpenAddress(hWnd(), SiteAddress);
}

}  // namespace menu
