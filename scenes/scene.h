// Every screen of the game is a Scene; the scene system keeps the stack of active ones.
#pragma once

#include "flow/events.h"

#include <vector>

class Scene {
public:
    explicit Scene(const char* name);
    virtual ~Scene();
    virtual void Load() {}
    virtual void Init() {}
    virtual void Update(float dt) { (void)dt; }
    virtual void Render() {}
    virtual void Exit() {}
    virtual void Unload() {}

    const char* name;
    bool active = false;
    bool updateEnabled = true;
    bool renderEnabled = true;
    bool firstFrame = true;
    // What the scene and everything it updates hear; while the scene is paused it keeps what goes live.
    EventEar ear;
};

// Requests a new bottom scene, carried out at the start of the scene system's next update. Null ends the game.
void SetNextScene(Scene* scene);
void PushScene(Scene* scene);
void RemoveScene(Scene* scene);
bool IsRunning();

// Every scene ever constructed, in construction order.
std::vector<Scene*>& SceneRegistry();
// The active scenes, bottom first; the bottom slot may hold null.
std::vector<Scene*>& SceneStack();
Scene* NextScene();

// True while the scene is on the stack.
inline bool IsSceneActive(const Scene* scene)
{
    return scene != nullptr && scene->active;
}
