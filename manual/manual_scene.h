// The paper handbook: a closed book's strip at the bottom of the window that slides open to two pages.
#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <cstdint>
#include <vector>

class Interactable;

struct Manual {
    uint32_t pageCount = 0;
    uint32_t evenPageCount = 0;
    std::vector<PXL_Texture> pages;
    PXL_Texture blankPage = nullptr;
    PXL_Texture arrowTexture = nullptr;
    bool open = false;
    bool hidden = false;
    int32_t spread = 0;
    float currentY = 0.0f;
    Interactable* toggle = nullptr;
    Interactable* nextArrow = nullptr;
    Interactable* previousArrow = nullptr;
    float windowWidth = 0.0f;
    float windowHeight = 0.0f;
};

class ManualScene : public Scene {
public:
    ManualScene() : Scene("ManualScene") {}
    void Init() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    // Closes the book the way a click beside it does: a 0.3 s slide down and the closing sound.
    void Close();
    bool IsOpen() const { return manual.open; }

    Manual manual;
};

extern ManualScene* manualScene;

// Where the manual finds its pages, and the blank that pads an odd count.
extern const char* const ManualPagesFolder;
extern const char* const ManualBlankPagePath;
