// Settings of the menu's Steam use: the game's application id and the community web host the
// overlay pages live on.
#pragma once

#include "steam/steamtypes.h"

// The application the menu lists servers and workshop items of.
const AppId_t kZorvanAppId = 4120;

// Scheme and host of the Steam community pages opened in the overlay.
#define ZORVAN_COMMUNITY_HOST "https://steamcommunity.com"
