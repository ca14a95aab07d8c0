#include "scenes/stub_scene.h"

StubScene* stubScene = new StubScene();

void StubScene::Update(float)
{
    SetNextScene(nullptr);
}
