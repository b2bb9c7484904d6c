#pragma once

// What a preview shows besides the skin's default picture: states an author
// turns on to see more of the skin than the player's first look.
namespace Preview {

enum class ButtonLook {
    Normal,  // each button's normal image
    Hover,   // its hover image where it has one
    Pressed, // its pressed image where it has one
};

struct RenderOptions {
    ButtonLook look = ButtonLook::Normal;
    bool sliderBackgrounds = false; // each slider's background under its thumb
    bool shape = false;             // the background's transparency colour as a checkerboard
};

} // namespace Preview
