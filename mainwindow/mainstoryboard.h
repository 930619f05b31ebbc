// The storyboard "Main" of a main window: the scenes
// "Rule Editor Window Controller", "Atn Window Controller" and
// "Strings Window Controller". Each window it makes talks back to `owner`,
// which keeps it.
#pragma once

#include <memory>

class Storyboard;
class ViewController;

[[nodiscard]] std::unique_ptr<const Storyboard> makeMainStoryboard(ViewController &owner);
