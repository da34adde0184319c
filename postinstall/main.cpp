// TavrinEyes_PIL: run once after installation, it asks the shell to open the maker's post-install
// page and ends three seconds later.

#include "Addresses.h"
#include "App.h"
#include "Form.h"
#include "Shell.h"
#include "Timer.h"
#include "resources.h"

#include <windows.h>

#include <string>

namespace postinstall {

inline const std::string PageAddress = std::string(menu::SiteAddress) + menu::PostInstallPage;

// An empty grey window that is never shown: it only owns the shell request and the timer.
class Form1 : public forms::Form {
public:
    Form1() : Form(Layout()), Timer1(*this, 3000, [] { forms::App.End(); }) {}

    forms::Timer Timer1;

protected:
    void Form_Load() override {
        forms::OpenAddress(hWnd(), PageAddress);
        Timer1.SetEnabled(true);
    }

private:
    static forms::FormLayout Layout() {
        forms::FormLayout layout;
        layout.Caption = "Form1";
        layout.Border = forms::BorderStyle::None;
        layout.ShowInTaskbar = false;
        layout.CenterScreen = true;
        layout.BackColor = forms::Rgb(224, 224, 224);
        layout.Client = {0, 0, 2955, 1170};  // 197 x 78 pixels
        layout.IconId = IDI_APP;
        return layout;
    }
};

}  // namespace postinstall

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = "TavrinEyes_PIL";
    static postinstall::Form1 form;
    form.Load();  // a window with nothing to show stays hidden

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
