// TavrinEyes_PIL: run once after installation, it asks the shell to open the maker's post-install
// page and ends three seconds later.

#include "art/Colors.h"
#include "art/resources.h"
#include "forms/App.h"
#include "forms/Form.h"
#include "forms/MessageLoop.h"
#include "forms/Shell.h"
#include "forms/Timer.h"
#include "product/Identity.h"

#include <windows.h>

#include <string>

namespace postinstall {

inline const std::string PageAddress = std::string(product::SiteAddress) + product::PostInstallPage;

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
        layout.BackColor = forms::Rgb(art::WindowGrey.Red, art::WindowGrey.Green, art::WindowGrey.Blue);
        layout.Client = {0, 0, 2955, 1170};  // 197 x 78 pixels
        layout.IconId = IDI_APP;
        return layout;
    }
};

}  // namespace postinstall

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    forms::App.Title = product::Stem(product::OpenerProgram);
    static postinstall::Form1 form;
    return forms::Run([] { form.Load(); });  // a window with nothing to show stays hidden
}
