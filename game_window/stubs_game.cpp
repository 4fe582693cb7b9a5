// Placeholder until the game window lands.
