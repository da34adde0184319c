#pragma once
// The About window: the product's name and version, credits, and links to the maker's site, its
// donation and feedback pages and an encyclopedia article. It makes itself topmost whenever it is
// activated; closing it hides it and the program goes on. The keyboard reaches it as a dialog: the
// focus on "Donate" when it opens, Tab through "Donate" and the links, Enter and Space to open one,
// Esc to close it. Screen readers read its texts and links; under a contrast theme it takes the
// system's colours, and it grows with Windows' text size.

#include "forms/Button.h"
#include "forms/Form.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "forms/PictureBox.h"
#include "forms/TabOrder.h"

namespace menu {

class Form3 : public forms::Form {
public:
    Form3();

    forms::PictureBox Picture1;  // the framed panel with the product's name
    forms::Label Label6;         // "Tavrin Eyes 2.0"
    forms::Label Label13;        // the maker's name
    forms::Label Label4;         // "Freeware"
    forms::Label Label14;        // "Enjoy the eyes!"
    forms::Label Label3;         // link: the home page
    forms::Image Image3;         // the donation badge
    forms::Button Command1;      // "Donate": the donation page
    forms::Label Label10;        // link: the feedback page
    forms::Label Label7;         // link: the encyclopedia article
    forms::Label Label8;         // "Visit"
    forms::Label Label12;        // link: the site's name, opens the home page
    forms::Label Label2;         // the closing line

protected:
    void Form_Load() override;
    void Form_Activate() override;
    // The badge and the links' hand are drawn for the new scale (the hand at the monitor's: it does
    // not grow with the text).
    void Form_DpiChanged() override;

private:
    void Open(const std::string& address);
    // A click on it opens the page at `address`.
    void Link(forms::Button& button, const std::string& address);
    void Link(forms::Label& label, const std::string& address);
    void SetLinkCursor();

    forms::unique_hicon linkCursor_;  // the links' pointing hand at the window's scale
    // "Donate" first, then the links as they are read: Feedback, the article, the site's name, and
    // round to the home-page link at the top.
    forms::TabOrder tabs_{*this, {&Command1, &Label10, &Label7, &Label12, &Label3}};
};

}  // namespace menu
