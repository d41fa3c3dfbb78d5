// Tests of the material system stand-in: materials made from trees, variables and their
// placeholders, reference counts, textures resolved on precache, the error material.
#include "materialsystem/imaterialsystem.h"

#include <gtest/gtest.h>

#include <string>

#include "EngineLibrary.h"
#include "tier1/KeyValues.h"

namespace {

class MaterialSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ms = static_cast<IMaterialSystem *>(EngineInterface(MATERIAL_SYSTEM_INTERFACE_VERSION));
        ASSERT_NE(ms, nullptr);
    }
    IMaterialSystem *ms = nullptr;
};

TEST_F(MaterialSystemTest, TreesBecomeMaterialsOncePerName)
{
    KeyValues *tree = new KeyValues("VertexLitGeneric");
    tree->SetInt("$frame", 3);
    tree->SetFloat("$alpha", 0.5f);
    tree->SetString("$color", "[1 2 3]");
    tree->SetString("$basetexture", "no/such/texture");
    tree->FindKey("Proxies", true)->SetString("x", "y");
    IMaterial *m = ms->CreateMaterial("tree_made.vmt", tree);
    ASSERT_NE(m, nullptr);
    EXPECT_STREQ("tree_made", m->GetName());
    EXPECT_STREQ("VertexLitGeneric", m->GetShaderName());
    EXPECT_EQ(m, ms->FindMaterial("TREE_MADE", "", false)) << "names are caseless, \".vmt\" is dropped";

    // The name is taken: nothing made, and the tree is freed (no leak under the sanitizer).
    EXPECT_EQ(nullptr, ms->CreateMaterial("tree_made.vmt", new KeyValues("x")));
    EXPECT_EQ(nullptr, ms->CreateMaterial("other.vmt", nullptr));

    bool found = false;
    IMaterialVar *frame = m->FindVar("$FRAME", &found, false);
    ASSERT_TRUE(found);
    EXPECT_EQ(3, frame->GetIntValue());
    EXPECT_FLOAT_EQ(0.5f, m->FindVar("$alpha", &found, false)->GetFloatValue());
    float v[3] = {};
    m->FindVar("$color", &found, false)->GetVecValue(v, 3);
    EXPECT_EQ(3.0f, v[2]);
    m->FindVar("Proxies", &found, false);
    EXPECT_FALSE(found) << "blocks are not variables";

    // Texture variables become textures on precache; a missing one is the error texture.
    m->Precache();
    ITexture *t = m->FindVar("$basetexture", &found, false)->GetTextureValue();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->IsError());
}

TEST_F(MaterialSystemTest, MissingVariablesHandOutAFreshPlaceholder)
{
    IMaterial *m = ms->CreateMaterial("placeholder.vmt", new KeyValues("UnlitGeneric"));
    ASSERT_NE(m, nullptr);
    bool found = true;
    IMaterialVar *var = m->FindVar("$nothing", &found, false);
    ASSERT_NE(var, nullptr);
    EXPECT_FALSE(found);
    var->SetStringValue("written");
    IMaterialVar *again = m->FindVar("$nothing", &found, false);
    EXPECT_FALSE(found);
    EXPECT_FALSE(again->IsDefined()) << "a write to the placeholder is not kept";
    EXPECT_EQ('<', again->GetStringValue()[0]);
}

TEST_F(MaterialSystemTest, ReferenceCountsNeverGoBelowZero)
{
    IMaterial *m = ms->CreateMaterial("counted.vmt", new KeyValues("UnlitGeneric"));
    ASSERT_NE(m, nullptr);
    m->IncrementReferenceCount();
    m->IncrementReferenceCount();
    EXPECT_EQ(2, m->GetReferenceCount());
    m->DecrementReferenceCount();
    m->DecrementReferenceCount();
    m->DecrementReferenceCount();
    EXPECT_EQ(0, m->GetReferenceCount());
}

TEST_F(MaterialSystemTest, UnknownNamesGiveTheErrorMaterialAndTexture)
{
    for (const char *name : { "", "no/such/material", "../escape" }) {
        IMaterial *m = ms->FindMaterial(name, "", false);
        ASSERT_NE(m, nullptr) << name;
        EXPECT_TRUE(m->IsErrorMaterial()) << name;
    }
    ITexture *t = ms->FindTexture("no/such/texture", "", false);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->IsError());
    EXPECT_EQ(4, t->GetActualWidth());
    EXPECT_EQ(t, ms->FindTexture(nullptr, "", false));
}

} // namespace
