// Player appearance: puts the player character's own head, hair and race over the mesh set.
#pragma once

// Finds the "NPC_" record "player" in "Saves\Vorel.ess", resolves its head and hair through
// the data files and copies them and its race's eleven body-part meshes over the mesh set of
// the player's sex. Reports on the console only. Always returns 0.
int Change_Player_Meshes();
