#pragma once
// The recaps' bonuses and value texts. Texts are bounded (79 characters, as
// a level element holds) and made by the safe formatter.
#include <string>

// Board: 10 points per 2500 ms left on the time gauge (4 a second); 0 when
// nothing is left.
int BoardTimeBonus(float gaugeLeftMs);
// Hidden-object level: 10 points per second under 180; 0 from 180 on.
int HiddenTimeBonus(int playSeconds);
// Hidden-object level: 500 without hints, else -500 per hint.
int HiddenHintBonus(int hintsUsed);

// "%d"
std::wstring NumberText(int value);
// "+%d"
std::wstring BonusText(int value);
// "+%d X %d": a count and the points each is worth.
std::wstring CountText(int count, int pointsEach);
// "%d:%02d:%02d": hours, minutes and seconds, split as unsigned seconds.
std::wstring PlayTimeText(int seconds);
