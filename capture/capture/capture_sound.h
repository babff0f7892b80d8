#pragma once

// The sound the user asked for ("bip"), right after a picture is taken.
void PlayCaptureSound();
