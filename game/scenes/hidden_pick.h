#pragma once
// The random pick of the objects a hidden-object visit asks for.
#include <vector>

// Up to wanted distinct indices of 0..candidateCount-1, in pick order: each
// draw takes rand() mod (candidates left); the taken candidate is replaced
// by the last one and the list shrinks by one. With fewer candidates than
// wanted every candidate is picked; with none the pick is empty.
std::vector<int> PickObjectIndices(int candidateCount, int wanted);
