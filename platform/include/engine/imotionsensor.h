// The game's motion-sensor service, lent through the host accessor when the game has one.
#pragma once

class IMaterial;

class IMotionSensor
{
public:
	virtual int GetSensorCount() = 0;
	virtual bool IsRunning() = 0;
	virtual void Start() = 0;
	// The material showing the sensor's colour image, or null.
	virtual IMaterial *GetColourMaterial() = 0;

protected:
	virtual ~IMotionSensor() = default;
};
