#pragma once
// The About window: the product's name and version, credits, and links to the maker's site, its
// donation and feedback pages and an encyclopedia article. It makes itself topmost whenever it is
// activated; closing it hides it and the program goes on.

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"

namespace menu {

class Form3 : public forms::Form {
public:
    Form3();

    forms::PictureBox Picture1;
    forms::Label Label6;
    forms::Label Label13;
    forms::Label Label4;
    forms::Label Label14;
    forms::Label Label3;
    forms::Image Image3;
    forms::Button Command1;
    forms::Label Label10;
    forms::Label Label7;
    forms::Label Label8;
    forms::Label Label12;
    forms::Label Label2;

protected:
    void Form_Activate() override;

private:
    void Open(const std::string& address);
};

}  // namespace menu
