// The editor program's start-up: the application's title, the windows in their order,
// and the message loop. Tintary.exe's WinMain calls it; the in-process tests make the
// same windows with MakeEditorWindows.
#pragma once

// Makes the seven windows in start-up order: TFrmMain, TFrmAbout, TFrmGradient,
// TFrmCopyColours, TForm1, TForm2, TForm4.
void MakeEditorWindows();

// Initialisation with the automation server's start step (EditorStartMode.h), title,
// windows, message loop, finalisation; the program's exit code.
int RunEditor();
