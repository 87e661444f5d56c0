#pragma once
// The dialogs' pictures in "global.xml": every global image but the fonts,
// which the texts of every screen use. With the render savings on they are
// held only while a dialog is open (BvGame::ShowGui holds them, the first
// update without a dialog lets them go).
class BvImage;

bool IsDialogArt(const BvImage& image);
