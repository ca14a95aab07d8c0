#include "engine/engine.h"

int main()
{
    EngineOptions options;
    return RunEngine(options);
}
