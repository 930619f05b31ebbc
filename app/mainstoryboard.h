// The storyboard "Main": the main window as its initial scene, and the scenes
// "Rule Editor Window Controller", "Atn Window Controller" and
// "Strings Window Controller".
#pragma once

#include <memory>

class Storyboard;

[[nodiscard]] std::shared_ptr<Storyboard> makeMainStoryboard();
