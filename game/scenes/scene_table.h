#pragma once
// The screens and dialogs that exist, by number. Entries not built yet are
// null: reaching such a scene ends the program with its message.
class BvLayout;
class BvScene;

// A new scene for table entry n (1..17), or null. The board screens are
// built around board (the game's one board).
BvScene* CreateScene(int n, BvLayout* board);
// A new GUI for table entry n (0..10), or null.
BvScene* CreateGui(int n);
