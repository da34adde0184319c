#include "menu/Form3.h"

#include "art/ScaledPictures.h"
#include "art/resources.h"
#include "forms/App.h"
#include "forms/Shell.h"
#include "product/Identity.h"

#include <string>

namespace menu {

namespace {

forms::FormLayout Form3Layout() {
    forms::FormLayout layout;
    layout.Caption = "About";
    layout.Border = forms::BorderStyle::FixedSingle;
    layout.ShowInTaskbar = true;
    layout.CenterScreen = true;
    layout.Scale = forms::ScaleMode::Twips;
    layout.Client = {0, 0, 4125, 5865};
    layout.IconId = IDI_ABOUT;
    layout.FollowsTextSize = true;
    return layout;
}

forms::Font Tahoma(float size, bool underline = false) { return {"Tahoma", size, true, underline}; }

constexpr forms::OleColor Black = forms::Rgb(0, 0, 0);
constexpr forms::OleColor Red = forms::Rgb(255, 0, 0);
constexpr forms::OleColor Blue = forms::Rgb(0, 0, 255);
constexpr forms::OleColor DarkGrey = forms::Rgb(64, 64, 64);

}  // namespace

Form3::Form3()
    : Form(Form3Layout()),
      Picture1(*this, {{240, 240, 3615, 2175}, forms::SystemColor(COLOR_BTNFACE), forms::ScaleMode::Twips, true, true}),
      Label6(Picture1, {840, 240, 1695, 285}, "Tavrin Eyes 2.0", Tahoma(12), Red),
      Label13(Picture1, {1380, 840, 1965, 210}, "Brellik's Software", Tahoma(9), Black, forms::Alignment::Center),
      Label4(Picture1, {240, 848, 1185, 195}, "Freeware", Tahoma(8.25f), Black, forms::Alignment::Center),
      Label14(Picture1, {960, 1200, 1605, 210}, "Enjoy the eyes!", Tahoma(9), Black),
      Label3(Picture1, {720, 1680, 2085, 240}, "Tavrin Eyes Homepage", Tahoma(9.75f, true), Blue),
      Image3(*this, {1200, 2640, 1725, 675}, IDR_BADGE_GIF),
      Command1(*this, {600, 3480, 3015, 375}, "Donate", {"MS Sans Serif", 8.25f, true, false}),
      Label10(*this, {600, 4320, 900, 240}, "Feedback", Tahoma(9.75f, true), DarkGrey),
      Label7(*this, {2400, 4320, 915, 195}, product::ArticleTitle, Tahoma(8.25f, true), DarkGrey),
      Label8(*this, {240, 5040, 420, 240}, "Visit", Tahoma(9.75f), DarkGrey),
      Label12(*this, {840, 5040, 2880, 240}, product::SiteShown, Tahoma(9.75f, true), Blue),
      Label2(*this, {360, 5400, 3390, 240}, "to Download more utilities like this.", Tahoma(9.75f), DarkGrey) {
    Image3.DrawnAt = [](int dpi) { return art::DonateBadgePicture(dpi); };
    Image3.Accessible.Name = "Donation badge";
    Label10.ToolTipText = "Visit Tavrin Eyes Home";
    FollowsContrastTheme = true;
    Picture1.FollowsContrastTheme = true;

    Link(Command1, std::string(product::SiteAddress) + product::DonatePage);
    Link(Label3, product::SiteAddress);
    Link(Label10, std::string(product::SiteAddress) + product::FeedbackPage);
    Link(Label12, product::SiteAddress);
    Link(Label7, product::ArticleAddress);
}

void Form3::Link(forms::Button& button, const std::string& address) {
    button.Click = [this, address] { Open(address); };
}

// A link's page is its value for screen readers, as a browser tells a link's address.
void Form3::Link(forms::Label& label, const std::string& address) {
    label.Click = [this, address] { Open(address); };
    label.Accessible.Value = address;
}

void Form3::Form_Activate() {
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
}

void Form3::SetLinkCursor() {
    linkCursor_ = art::HandCursor(MonitorDpi());
    for (forms::Label* link : {&Label3, &Label10, &Label7, &Label12}) link->MouseIcon = linkCursor_.get();
}

void Form3::Form_Load() { SetLinkCursor(); }
void Form3::Form_DpiChanged() { SetLinkCursor(); }

void Form3::Open(const std::string& address) { forms::OpenAddress(hWnd(), address); }

}  // namespace menu
