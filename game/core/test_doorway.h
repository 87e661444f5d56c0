#pragma once
// The doorway end-to-end tests use to enter a screen directly, without the
// splash screens and the title menu. Players never see it: it opens only
// with the environment variable QUORVEL_START_SCENE set.
struct BvPlayerStore;

// Scene n (1..17) of QUORVEL_START_SCENE=<n>; 0 when it is not set or not a
// scene number.
int StartSceneFromEnvironment();

// Makes a profile current when none is: the first free slot, named
// "Tester", or slot 0 when every slot is taken.
void EnsureTestProfile(BvPlayerStore& store);

// The board's time limit of QUORVEL_TIME_LIMIT_MS=<ms> (1 to 600000), so a
// test sees the time run out; 0 when it is not set or out of range.
float TimeLimitFromEnvironment();
