#include "tools/autoplay/solver.h"

namespace {

std::vector<SolverFactory>& Factories()
{
    static std::vector<SolverFactory> factories;
    return factories;
}

} // namespace

bool RegisterSolver(SolverFactory make)
{
    Factories().push_back(make);
    return true;
}

std::vector<std::unique_ptr<Solver>> MakeSolvers()
{
    std::vector<std::unique_ptr<Solver>> solvers;
    for (SolverFactory make : Factories()) {
        solvers.push_back(make());
    }
    return solvers;
}
