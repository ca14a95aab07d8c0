// The template every scene starts from: copy it, rename it, fill in the operations. Nothing reaches it; if it
// is ever shown it ends the game at its first update.
#pragma once

#include "scenes/scene.h"

class StubScene : public Scene {
public:
    StubScene() : Scene("StubScene") {}
    void Update(float dt) override;
};

extern StubScene* stubScene;
