#pragma once
// The screens and dialogs that exist, by number. Entries not built yet are
// null: reaching such a scene ends the program with its message.
class BvScene;

// A new scene for table entry n (1..17), or null.
BvScene* CreateScene(int n);
// A new GUI for table entry n (0..10), or null.
BvScene* CreateGui(int n);
