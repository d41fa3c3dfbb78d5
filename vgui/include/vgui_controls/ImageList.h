// vgui::ImageList: an indexed collection of images for list and tree controls. Index 0 is
// reserved and never one of the list's images.
#pragma once

#include "tier1/utlvector.h"
#include "vgui/IImage.h"

namespace vgui
{
class ImageList
{
public:
	// With deleteImagesWhenDone the list owns its images from index 1 on.
	explicit ImageList(bool deleteImagesWhenDone);
	~ImageList();

	ImageList(const ImageList &) = delete;
	ImageList &operator=(const ImageList &) = delete;

	// Appends an image; returns its index.
	int AddImage(IImage *image);
	// Puts an image at an index, growing the list with empty entries as needed.
	void SetImageAtIndex(int index, IImage *image);
	// The image at a valid index.
	IImage *GetImage(int index);
	int GetImageCount() const { return m_Images.Count(); }
	bool IsValidIndex(int index) const { return index >= 0 && index < m_Images.Count(); }

private:
	CUtlVector<IImage *> m_Images;
	bool m_bDeleteImagesWhenDone;
};
}
