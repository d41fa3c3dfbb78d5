// An engine material: a shader and its variables, kept alive by a reference count.
#pragma once

class IMaterialVar;

class IMaterial
{
public:
	virtual const char *GetName() const = 0;
	virtual const char *GetShaderName() const = 0;
	// True for the material handed out in place of one that could not be found.
	virtual bool IsErrorMaterial() const = 0;
	// The variable of that name and whether the material has it. A material without it hands out
	// a placeholder variable with *found false (complaining first when asked to).
	virtual IMaterialVar *FindVar(const char *varName, bool *found, bool complain = true) = 0;
	virtual void IncrementReferenceCount() = 0;
	virtual void DecrementReferenceCount() = 0;
	virtual int GetReferenceCount() const = 0;
	// Rebuilds what the renderer derives from the variables, after they changed.
	virtual void RecomputeStateSnapshots() = 0;
	// Loads what the material needs before its first use (textures of its variables).
	virtual void Precache() = 0;

protected:
	virtual ~IMaterial() = default;
};
