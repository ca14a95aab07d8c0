#include "modules/key_module.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/ease.h"
#include "engine/random.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/nine_slice.h"
#include "render/sprite_sheet.h"

#include <cmath>

namespace {

constexpr uint32_t KeyFrame = 15; // the objects sheet's last frame is the reactor key
constexpr float QuarterTurn = 1.5707963f;
// The drawer's picture sits a little below its centre, so that its front lines up with the handle.
constexpr float DrawerDrop = 60.0f;
const PXL_Color HoverTint{0.25f, 0.25f, 0.25f, 1};
const PXL_Color PlainTint{0, 0, 0, 1};

PXL_Vec2 Plus(PXL_Vec2 a, PXL_Vec2 b)
{
    return {a.x + b.x, a.y + b.y};
}

void MoveTo(Interactable* control, PXL_Vec2 at)
{
    control->position = at;
    control->cornersDirty = true;
}

} // namespace

KeyModule::KeyModule(std::string moduleName, PXL_Vec2 modulePosition) : Module(std::move(moduleName), modulePosition) {}

void KeyModule::Init()
{
    Module::Init();
    drawerTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::DeskDrawer));
    objectsTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::DeskObjects));
    objectsSheet = {4, 4, objectsTexture};
    objectsSprite = CreateSprite(new Sprite{}, &objectsSheet);

    // The key is a quarter of an object's height and half its width: any object lying on it covers it.
    key = new Interactable(closedPosition, {objectSize.x / 2, objectSize.y / 4}, KindMomentary, 0, 0.0f, false);
    for (uint32_t i = 0; i < ObjectCount; ++i) {
        objects[i] = new Interactable(closedPosition, {objectSize.x * 0.75f, objectSize.y * 0.75f}, KindMomentary,
                                      static_cast<int32_t>(i + 1), 0.0f, false);
    }
    objectsCreated = ObjectCount;
    handle = new Interactable(Plus(drawerPosition, handleOffset), handleSize, KindToggle,
                              static_cast<int32_t>(objectsCreated), 0.0f, false);
    keyhole = new Interactable(keyholeCentre, keyholeSize, KindMomentary, 0, 0.0f, false);

    interactables.push_back(key);
    interactables.push_back(handle);
    for (Interactable* object : objects) {
        interactables.push_back(object);
    }
    PlaceObjects();
    OffsetInteractables();
}

void KeyModule::PlaceObjects()
{
    const float reachX = (interiorSize.x - objectSize.x) / 2, reachY = (interiorSize.y - objectSize.y) / 2;
    for (Interactable* object : objects) {
        const int a = GameRand() % 101 - 50;
        const int b = GameRand() % 101 - 50;
        MoveTo(object, {drawerPosition.x + static_cast<float>(a) / 50.0f * reachX,
                        drawerPosition.y + static_cast<float>(b) / 50.0f * reachY});
    }
    const uint32_t under = ObjectCount > 1 ? static_cast<uint32_t>(GameRand()) % ObjectCount : 0;
    MoveTo(key, objects[under]->position);
}

void KeyModule::TimedUpdate(float dt)
{
    Module::Update();
    const PXL_Vec2 mouse = MouseWorldPosition();

    if (!inserted) {
        if (std::hypot(key->position.x - keyhole->position.x, key->position.y - keyhole->position.y) <=
            insertDistance) {
            inserted = true;
            key->order = OrderKeyInKeyhole;
            // The key sits in the lock and leaves the hand: the keyhole's picture shows it from now on.
            MoveTo(key, keyhole->position);
            if (dragged == key) {
                dragged = nullptr;
            }
            PlayCue(CueKey);
        }
    } else if (keyhole->clicked && active) {
        keyholeTurn = QuarterTurn;
        OnCorrect();
    }

    if (handle->clicked) {
        open = !open;
        tweenElapsed = tweenElapsed >= tweenDuration ? 0.0f : tweenDuration - tweenElapsed;
        PlayCue(CueDrawer);
    }
    Slide(dt);

    if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
        dragged = nullptr;
    }
    if (dragged != nullptr) {
        MoveTo(dragged, Plus(mouse, grabOffset));
    }
    if (open) {
        for (Interactable* object : objects) {
            if (object->clicked) {
                dragged = object;
                grabOffset = {object->position.x - mouse.x, object->position.y - mouse.y};
            }
        }
        for (Interactable* object : objects) {
            ClampToInterior(object);
        }
    }
    // Once out of the drawer the key can be picked up wherever it lies; in the drawer only while it is open.
    if (key->clicked && !inserted && (open || key->order > static_cast<int32_t>(objectsCreated))) {
        dragged = key;
        grabOffset = {key->position.x - mouse.x, key->position.y - mouse.y};
        key->order = OrderKeyInHand;
        picked = true;
    }
}

void KeyModule::Slide(float dt)
{
    if (tweenElapsed >= tweenDuration) {
        return;
    }
    const PXL_Vec2 from = open ? closedPosition : openPosition;
    const PXL_Vec2 to = open ? openPosition : closedPosition;
    const float before = drawerPosition.y;
    drawerPosition.y = from.y + (to.y - from.y) * EaseInOutCubic(tweenElapsed / tweenDuration);
    tweenElapsed += dt;
    // The last step of a movement lands on the end, so that the drawer rests exactly shut or open.
    if (tweenElapsed >= tweenDuration) {
        drawerPosition.y = to.y;
    }
    MoveWithDrawer(drawerPosition.y - before);
    MoveTo(handle, Plus(Plus(drawerPosition, handleOffset), position));
}

void KeyModule::MoveWithDrawer(float dy)
{
    for (Interactable* object : objects) {
        MoveTo(object, {object->position.x, object->position.y + dy});
    }
    // The key rides along while it still lies in the drawer.
    if (key->order <= static_cast<int32_t>(objectsCreated) && !inserted) {
        MoveTo(key, {key->position.x, key->position.y + dy});
    }
}

void KeyModule::ClampToInterior(Interactable* object) const
{
    const float reachX = (interiorSize.x - objectSize.x) / 2, reachY = (interiorSize.y - objectSize.y) / 2;
    const PXL_Vec2 centre = Plus(drawerPosition, position);
    const PXL_Vec2 at{std::fmin(std::fmax(object->position.x, centre.x - reachX), centre.x + reachX),
                      std::fmin(std::fmax(object->position.y, centre.y - reachY), centre.y + reachY)};
    if (at.x != object->position.x || at.y != object->position.y) {
        MoveTo(object, at);
    }
}

void KeyModule::DrawObject(const Interactable* item, uint32_t frame)
{
    if (objectsSprite == nullptr) {
        return;
    }
    objectsSprite->transform->position = item->position;
    objectsSprite->transform->scale = objectSize;
    objectsSprite->transform->rotation = 0.0f;
    SpriteSetFrame(objectsSprite, frame);
    DrawSprite(objectsSprite, item->hovered && dragged == nullptr ? &HoverTint : &PlainTint, false, PXL_FILTER_LINEAR);
}

void KeyModule::Render()
{
    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    const PXL_Vec2 drawerAt{drawerPosition.x + position.x, drawerPosition.y + position.y - DrawerDrop};
    DrawTexture(drawerTexture, &drawerAt, &drawerDrawSize, PXL_FILTER_LINEAR, 0.0f);
    if (!picked) {
        DrawObject(key, KeyFrame);
    }
    for (uint32_t i = 0; i < ObjectCount; ++i) {
        DrawObject(objects[i], i);
    }
    DrawNineSlice(keyholePlateCentre, keyholePlateSize, PanelMetalPlate, 0.0f, false);
    DrawSheetFrame(SheetKeyhole, inserted ? 1 : 0, keyhole->position, keyhole->size, keyholeTurn, &NoTint);
    if (picked && !inserted) {
        DrawObject(key, KeyFrame);
    }
}

void KeyModule::Exit()
{
    RemoveInteractables();
    RemoveInteractable(keyhole);
    key = handle = keyhole = dragged = nullptr;
    objects.fill(nullptr);
    PXL_Graphics_FreeTexture(&drawerTexture);
    PXL_Graphics_FreeTexture(&objectsTexture);
    objectsSheet.texture = nullptr;
    FreeSprite(objectsSprite);
    objectsSprite = nullptr;
}

void KeyModule::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line", "/> Reactor core must be unlocked to continue.");
}

void KeyModule::OnCorrect()
{
    Module::OnCorrect();
    Broadcast("terminal_append_line", "Reactor core successfully unlocked.");
    PlayCue(CueMachines);
}
