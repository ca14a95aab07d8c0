#include "engine/system.h"
#include "engine/trace.h"
#include "scenes/scene.h"
#include "scenes/settings_scene.h"
#include "scenes/splash_screen_scene.h"

#include <algorithm>

namespace {

// Created on first use: scenes are constructed during static initialisation.
std::vector<Scene*>*& RegistryStorage()
{
    static std::vector<Scene*>* registry = nullptr;
    return registry;
}

std::vector<Scene*>& Stack()
{
    static std::vector<Scene*> stack(1, nullptr);
    return stack;
}

Scene* nextScene = nullptr;

void ExitAndUnload(Scene* scene, bool traced = true)
{
    if (traced) {
        Trace("%s: Exit", scene->name);
    }
    scene->Exit();
    if (traced) {
        Trace("%s: Unload", scene->name);
    }
    scene->Unload();
    scene->active = false;
    scene->firstFrame = true;
    scene->ear.Forget();
}

bool ScenesInit()
{
    // The window, the sound and the manual are all there by now.
    ApplyKeptSettings();
    nextScene = splashScreenScene;
    return true;
}

void SwitchBottomScene()
{
    std::vector<Scene*>& stack = Stack();
    // The bottom scene is exited once more with the rest below: every scene's Exit allows being run twice.
    if (stack[0] != nullptr) {
        Trace("%s: Exit", stack[0]->name);
        stack[0]->Exit();
    }
    for (size_t i = stack.size(); i-- > 0;) {
        if (stack[i] != nullptr) {
            ExitAndUnload(stack[i]);
        }
    }
    stack.clear();
    stack.push_back(nextScene);
    Scene* bottom = stack[0];
    if (bottom != nullptr) {
        bottom->active = true;
        Trace("%s: Load", bottom->name);
        bottom->Load();
        Trace("%s: Init", bottom->name);
        bottom->Init();
    }
}

void ScenesUpdate(float dt)
{
    std::vector<Scene*>& stack = Stack();
    if (stack[0] != nextScene) {
        SwitchBottomScene();
    }
    // Scenes may push or remove overlays while this runs: re-read the stack at every step.
    for (size_t i = 0; i < stack.size(); ++i) {
        Scene* scene = stack[i];
        if (scene == nullptr) {
            continue;
        }
        if (scene->updateEnabled) {
            HearingScope hearing(scene->ear);
            Trace("%s: Update", scene->name);
            scene->Update(dt);
        } else {
            // Paused: whatever goes live now waits until the scene runs again.
            scene->ear.Hold();
            HearingScope hearing(scene->ear);
            Trace("%s: Update (Paused)", scene->name);
            scene->Update(0.0f);
        }
    }
}

void ScenesRender()
{
    std::vector<Scene*>& stack = Stack();
    for (size_t i = 0; i < stack.size(); ++i) {
        Scene* scene = stack[i];
        if (scene == nullptr) {
            continue;
        }
        if (scene->renderEnabled) {
            Trace("%s: Render", scene->name);
            scene->Render();
            scene->firstFrame = false;
        } else {
            Trace("%s: Render (Disabled)", scene->name);
        }
    }
}

void ScenesExit()
{
    // The scenes still up release what they hold while the systems they use are still there (those registered
    // before this one). Quietly: the trace of a shutdown shows the systems' exits only.
    std::vector<Scene*>& stack = Stack();
    for (size_t i = stack.size(); i-- > 0;) {
        if (stack[i] != nullptr) {
            ExitAndUnload(stack[i], false);
        }
    }
    std::vector<Scene*>* registry = RegistryStorage();
    if (registry == nullptr) {
        return;
    }
    // Deleting a scene removes it from the registry: take the list first.
    std::vector<Scene*> scenes = *registry;
    for (Scene* scene : scenes) {
        delete scene;
    }
    registry->clear();
    Stack().assign(1, nullptr);
    nextScene = nullptr;
}

} // namespace

const BaseSystem SceneSystem = {"SceneSystem", ScenesInit, ScenesUpdate, ScenesRender, ScenesExit};

Scene::Scene(const char* sceneName) : name(sceneName)
{
    std::vector<Scene*>*& registry = RegistryStorage();
    if (registry == nullptr) {
        registry = new std::vector<Scene*>();
    }
    registry->push_back(this);
}

Scene::~Scene()
{
    std::vector<Scene*>* registry = RegistryStorage();
    if (registry != nullptr) {
        registry->erase(std::remove(registry->begin(), registry->end(), this), registry->end());
    }
    std::vector<Scene*>& stack = Stack();
    std::replace(stack.begin(), stack.end(), this, static_cast<Scene*>(nullptr));
    if (nextScene == this) {
        nextScene = nullptr;
    }
}

void SetNextScene(Scene* scene)
{
    nextScene = scene;
}

void PushScene(Scene* scene)
{
    if (scene == nullptr || scene->active) {
        return;
    }
    Stack().push_back(scene);
    scene->active = true;
    Trace("%s: Load", scene->name);
    scene->Load();
    Trace("%s: Init", scene->name);
    scene->Init();
}

void RemoveScene(Scene* scene)
{
    if (scene == nullptr || !scene->active) {
        return;
    }
    ExitAndUnload(scene);
    std::vector<Scene*>& stack = Stack();
    for (size_t i = 0; i < stack.size(); ++i) {
        // By the name's pointer, not its text: the scene's identity is its name (one object per name).
        if (stack[i] != nullptr && stack[i]->name == scene->name) {
            stack.erase(stack.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    if (stack.empty()) {
        stack.push_back(nullptr);
    }
}

bool IsRunning()
{
    return Stack()[0] != nullptr || nextScene != nullptr;
}

std::vector<Scene*>& SceneRegistry()
{
    std::vector<Scene*>*& registry = RegistryStorage();
    if (registry == nullptr) {
        registry = new std::vector<Scene*>();
    }
    return *registry;
}

std::vector<Scene*>& SceneStack()
{
    return Stack();
}

Scene* NextScene()
{
    return nextScene;
}
