#pragma once
// Free sound functions over g_SoundManager that apply the player's music and
// sound switches. Each does nothing when there is no manager.

// The configuration's switches; false without a system object.
bool IsSoundOn();
bool IsMusicOn();

// PlaySound only when the sound switch is on.
void PlayEffect(const char* name, bool repeat, float volume);
// StopSound when the sound is flagged playing.
void StopEffect(const char* name);
// A volume >= 0 is applied at once and the name becomes the current music;
// then the music starts (repeating, its own volume) when the music switch is
// on and it is not flagged playing. Another music playing is not stopped.
void PlayMusic(const char* name, float volume);
// Stops the current music when it is flagged playing; the name stays.
void StopMusic();
// The current music's own volume (0 without a manager), and setting it.
float GetCurrentMusicVolume();
void SetCurrentMusicVolume(float volume);
