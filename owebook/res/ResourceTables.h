#pragma once
// The program's resources, handed to the platform before the first window
// opens or the first resource is looked up (WinMain, test set-up).

// Everything below, in one call; calling it again changes nothing.
void RegisterResources();

void RegisterStringTable();
void RegisterLongStrings();
void RegisterMainFrameResources();
void RegisterPictureResources();
void RegisterHomeResources();
// The help file "Owebook.htm" for the device's \windows folder. Also done
// before main(): the platform puts the folder's files in place before WinMain.
void RegisterHelpFile();
// The item views' texts.
void RegisterViewResources();
void RegisterReminderResources();
// The item editor's pages, its menu bar and count lists, the categories editor.
void RegisterEditorResources();
