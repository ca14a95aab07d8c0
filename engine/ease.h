// The cubic ease-in-out shared by the opening zoom, the drawer, the manual's slide and the hints.
#pragma once

inline float EaseInOutCubic(float t)
{
    float e = t < 0.5f ? 4.0f * t * t * t : 1.0f - (2.0f - 2.0f * t) * (2.0f - 2.0f * t) * (2.0f - 2.0f * t) / 2.0f;
    return e < 0.0f ? 0.0f : (e > 1.0f ? 1.0f : e);
}

inline float EaseTowards(float start, float target, float elapsed, float duration)
{
    return start + (target - start) * EaseInOutCubic(elapsed / duration);
}
