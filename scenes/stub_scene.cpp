#include "scenes/scene.h"

// The template every scene starts from. Nothing reaches it; if it is ever shown it ends the game.
class StubScene : public Scene {
public:
    StubScene() : Scene("StubScene") {}
    void Update(float) override { SetNextScene(nullptr); }
};

namespace {
[[maybe_unused]] StubScene* const stubScene = new StubScene();
}
