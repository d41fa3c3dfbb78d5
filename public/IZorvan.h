// The game's interface handed to the menu plug-in at start-up: the operations the plug-in
// calls on the game.
#pragma once

class IZorvan
{
public:
	// The game's own step of each menu frame.
	virtual void MenuFrame() = 0;
	// Around adding a frame to a video: the game readies a frame of that size for capture,
	// then puts its view back.
	virtual void PrepareFrameCapture(int width, int height) = 0;
	virtual void FinishFrameCapture(int width, int height) = 0;

protected:
	virtual ~IZorvan() = default;
};
