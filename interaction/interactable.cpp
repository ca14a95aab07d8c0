#include "interaction/interactable.h"

#include "audio/audio_cues.h"
#include "interaction/interaction_system.h"

#include <cmath>

namespace {

constexpr float Pi = 3.1415925f; // a hair short of pi, kept: the turned controls were placed and tested with it

float Length(PXL_Vec2 v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

// Area of the triangle a, b, c.
float TriangleArea(PXL_Vec2 a, PXL_Vec2 b, PXL_Vec2 c)
{
    return std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) * 0.5f;
}

PXL_Vec2 PixelToWorld(PXL_Vec2 pixel)
{
    return PXL_Camera_ScreenCoordToWorld(&pixel);
}

} // namespace

PXL_Vec2 MouseWorldPosition()
{
    PXL_Vec2 mouse = PXL_Input_GetMousePosition();
    return PXL_Camera_ScreenCoordToWorld(&mouse);
}

Interactable::Interactable(PXL_Vec2 position, PXL_Vec2 size, uint32_t kind, int32_t order, float rotation,
                           bool screenSpace)
    : screenSpace(screenSpace), order(order), rotation(rotation), position(position), size(size), kind(kind)
{
    if (screenSpace) {
        this->position = PixelToWorld(position);
        converted = true;
    }
    std::vector<Interactable*>& list = Interactables();
    if (order == -1) {
        this->order = list.empty() ? 0 : list.back()->order + 1;
    }
    AddInteractable(this);
}

void Interactable::SetTransform(PXL_Vec2 newPosition, PXL_Vec2 newSize)
{
    position = screenSpace ? PixelToWorld(newPosition) : newPosition;
    size = newSize;
    cornersDirty = true;
}

void Interactable::UpdateCorners()
{
    float w = size.x / 2.0f;
    float h = size.y / 2.0f;
    corners[0] = {position.x - w, position.y + h};
    corners[1] = {position.x + w, position.y + h};
    corners[2] = {position.x + w, position.y - h};
    corners[3] = {position.x - w, position.y - h};
    if (!screenSpace) {
        for (PXL_Vec2& corner : corners) {
            float dx = corner.x - position.x;
            float dy = corner.y - position.y;
            float distance = std::sqrt(dx * dx + dy * dy);
            float turned = (std::atan2(dy, dx) * 180.0f / Pi + rotation) * Pi / 180.0f;
            corner = {position.x + distance * std::cos(turned), position.y + distance * std::sin(turned)};
        }
    }
    cornersDirty = false;
}

bool Interactable::Contains(PXL_Vec2 m) const
{
    if (screenSpace) {
        return corners[0].x <= m.x && m.x <= corners[1].x && corners[3].y <= m.y && m.y <= corners[1].y;
    }
    // Inside a convex quad the four triangles the point makes with its edges add up to the quad's area.
    float left = Length({corners[3].x - corners[0].x, corners[3].y - corners[0].y});
    float top = Length({corners[1].x - corners[0].x, corners[1].y - corners[0].y});
    float area = left * top;
    float sum = TriangleArea(m, corners[0], corners[1]) + TriangleArea(m, corners[1], corners[2]) +
                TriangleArea(m, corners[2], corners[3]) + TriangleArea(m, corners[3], corners[0]);
    // Truncated in floats: a far-away cursor makes sums too large for an int.
    return std::fabs(std::trunc(area) - std::trunc(sum)) < static_cast<float>(HitTolerance);
}

void Interactable::Update()
{
    if (!enabled) {
        hovered = clicked = held = false;
        if (kind == KindMomentary) {
            value = 0.0f;
        }
        return;
    }
    PXL_Vec2 m = MouseWorldPosition();
    if (screenSpace && !converted) {
        position = PixelToWorld(position);
        converted = true;
    }
    if (cornersDirty) {
        UpdateCorners();
    }
    hovered = Contains(m);
    if (hovered) {
        clicked = PXL_Input_KeyTriggered(PXL_KEY_LBUTTON) != 0;
        held = PXL_Input_KeyDown(PXL_KEY_LBUTTON) != 0;
    } else {
        clicked = held = false;
    }
    valueBeforeClick = value;
    if (clicked) {
        if (kind == KindMomentary) {
            value = 1.0f;
        } else if (kind == KindToggle) {
            value = value == 1.0f ? 0.0f : 1.0f;
        }
        if (cue != -1) {
            PlayCue(static_cast<uint32_t>(cue));
        }
    } else if (kind == KindMomentary) {
        value = 0.0f;
    }
}

Slider::Slider(PXL_Vec2 start, PXL_Vec2 end, PXL_Vec2 handleSize, float value, float rotation, int32_t order)
    : Interactable({start.x + (end.x - start.x) * value, start.y + (end.y - start.y) * value}, handleSize,
                   KindMomentary, order, rotation, false),
      start(start), end(end), length(Length({end.x - start.x, end.y - start.y})), handleSize(handleSize)
{
    this->value = value;
}

void Slider::Update()
{
    // The base treats the slider as a momentary control; its value is the handle's place, not the click.
    float place = value;
    Interactable::Update();
    value = place;
    if (!enabled) {
        dragging = false;
    } else if (clicked) {
        dragging = true;
    } else if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
        dragging = false;
    }
    PXL_Vec2 d = {end.x - start.x, end.y - start.y};
    // A slider whose ends coincide has no direction to drag along; it keeps its value.
    if (dragging && length > 0.0f) {
        PXL_Vec2 m = MouseWorldPosition();
        float t = ((m.x - start.x) * d.x + (m.y - start.y) * d.y) / (d.x * d.x + d.y * d.y);
        PXL_Vec2 p = {t * d.x, t * d.y};
        float along = Length(p);
        if (p.x * d.x + p.y * d.y < 0.0f) {
            along = -along;
        }
        float next = along / length;
        value = next < 0.0f ? 0.0f : (next > 1.0f ? 1.0f : next);
        repositionPending = true;
    }
    if (repositionPending) {
        SetTransform({start.x + d.x * value, start.y + d.y * value}, handleSize);
        repositionPending = false;
    }
    held = dragging;
}

Spinner::Spinner(PXL_Vec2 position, PXL_Vec2 size, int32_t order)
    : Interactable(position, size, KindMomentary, order, 0.0f, false)
{
}

void Spinner::Update()
{
    Interactable::Update();
    if (!enabled) {
        dragging = false;
        return;
    }
    PXL_Vec2 m = MouseWorldPosition();
    float pointing = std::atan2(m.y - position.y, m.x - position.x);
    if (clicked) {
        dragging = true;
        grabOffset = pointing - angle;
    } else if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
        dragging = false;
    }
    if (dragging) {
        float a = pointing - grabOffset;
        float turn = a - angle;
        // Across the atan2 seam the raw difference is almost a full turn the other way.
        if (std::fabs(turn) > Pi) {
            turn += turn > 0.0f ? -2.0f * Pi : 2.0f * Pi;
        }
        lastTurn = turn;
        totalTurn += turn;
        angle = a;
        changed = true;
    }
    held = dragging;
    if (changed) {
        rotation = angle * 180.0f / Pi;
        cornersDirty = true;
        changed = false;
    }
}
