#pragma once
// The "levelcomplete" banner that ends a won board or hidden-object level:
// it fades in while zooming from tiny to full size with a bounce, holds half
// a second, zooms out fivefold and fades away, removing itself.
class BvLevelElement;
class BvLevelManager;

// Made at the centre of the manager's current level in the given layer;
// null without a manager, a level or the "levelcomplete" element.
BvLevelElement* CreateLevelCompleteBanner(BvLevelManager* manager, int layer);
