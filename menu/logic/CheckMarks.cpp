#include "menu/logic/CheckMarks.h"

#include "art/Skins.h"

namespace menu {

CheckMarks MarksFor(const MenuSettings& now, const CheckMarks& shown) {
    CheckMarks marks = shown;
    marks.OnTop = now.OnTop == 1;
    if (now.Registered) marks.Registered = *now.Registered;
    // The mark tells whether Windows will start the eyes: the value is there and Windows' own switch
    // has not turned it off. Where the program cannot change the value (no administrative rights),
    // the item is greyed and still tells the truth.
    marks.RunAtStartup = marks.Registered == 1 && !now.TurnedOffByWindows;
    marks.RunAtStartupEnabled = now.CanChange;
    if (art::FindSkin(now.Skin)) marks.Skin = *now.Skin;
    return marks;
}

}  // namespace menu
