#include "interaction/interaction_system.h"

#include "engine/system.h"
#include "interaction/interactable.h"

#include <algorithm>
#include <cstddef>

namespace {

std::vector<Interactable*>& List()
{
    static std::vector<Interactable*> list;
    return list;
}

// While the controls are being updated, a handler may remove controls, its own among them: the update walks
// the list by index (kept in step with removals) and frees removed controls only once the walk is done.
bool updating = false;
std::ptrdiff_t cursor = 0;
std::ptrdiff_t walkEnd = 0;
std::vector<Interactable*> removedDuringUpdate;

void FreeRemoved()
{
    for (Interactable* control : removedDuringUpdate) {
        delete control;
    }
    removedDuringUpdate.clear();
}

void SettleOverlaps()
{
    std::vector<Interactable*>& list = List();
    for (Interactable* a : list) {
        for (Interactable* b : list) {
            if (b->hovered && b->order > a->order) {
                if (a->clicked && a->kind == KindToggle) {
                    a->value = a->valueBeforeClick;
                }
                a->hovered = a->clicked = a->held = false;
                break;
            }
        }
    }
}

void InteractionUpdate(float)
{
    std::vector<Interactable*>& list = List();
    updating = true;
    // Controls created by a handler during the walk wait for the next frame, so the click that made them
    // cannot also press them.
    walkEnd = static_cast<std::ptrdiff_t>(list.size());
    for (cursor = 0; cursor < walkEnd; ++cursor) {
        list[static_cast<size_t>(cursor)]->Update();
    }
    updating = false;
    FreeRemoved();
    SettleOverlaps();
}

void InteractionExit()
{
    std::vector<Interactable*>& list = List();
    for (Interactable* control : list) {
        delete control;
    }
    list.clear();
    FreeRemoved();
}

} // namespace

const BaseSystem InteractionSystem = {"InteractionSystem", SystemInitNothing, InteractionUpdate, SystemNothing,
                                      InteractionExit};

std::vector<Interactable*>& Interactables()
{
    return List();
}

void AddInteractable(Interactable* control)
{
    List().push_back(control);
}

void RemoveInteractable(Interactable* control)
{
    std::vector<Interactable*>& list = List();
    auto found = std::find(list.begin(), list.end(), control);
    if (control == nullptr || found == list.end()) {
        return;
    }
    std::ptrdiff_t index = found - list.begin();
    list.erase(found);
    if (!updating) {
        delete control;
        return;
    }
    if (index < walkEnd) {
        --walkEnd;
        if (index <= cursor) {
            --cursor; // the next control has moved into this slot
        }
    }
    removedDuringUpdate.push_back(control);
}

bool AnyInteractableHovered()
{
    const std::vector<Interactable*>& list = List();
    return std::any_of(list.begin(), list.end(), [](const Interactable* control) { return control->hovered; });
}
