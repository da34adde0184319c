#pragma once
// The menu's one door to the eyes: what its commands may do to the two eye windows. The eyes program
// implements it; the menu knows nothing else of them.

namespace menu {

class EyesControl {
public:
    virtual ~EyesControl() = default;
    // Repaints the pupils' window now.
    virtual void Refresh() = 0;
    // Puts both eye windows in the topmost band, or explicitly out of it, the pupils above the skin.
    virtual void SetZOrder(bool topmost) = 0;
};

}  // namespace menu
