// POSIX services shared by the Linux and macOS platform layers: the operations both builds
// answer alike, user names, detached processes, temporary names and sleeping.
#include "Kestrum/Platform/Platform.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace Kestrum
{
	namespace Platform
	{
		BString CurrentUserName()
		{
			return Internal::UserNameForId( (unsigned int)geteuid() );
		}

		void SetupAssociation( BString ext )
		{
		}

		unsigned int DesktopWidth()
		{
			return 800;
		}

		unsigned int DesktopHeight()
		{
			return 600;
		}

		// Neither build has a pop-up: nothing is shown, and the caller carries on.
		bool Popup( const BString& strName, const BString& strText )
		{
			return true;
		}

		void DebuggerOutput( const BString& strText )
		{
			printf( "%s", strText.c_str() );
		}

		BString TemporaryDir()
		{
			return "/tmp";
		}

		void Sleep( unsigned int ms )
		{
			Internal::SleepMilliseconds( ms );
		}

		namespace Internal
		{
			BString UserNameForId( unsigned int iUserId )
			{
				std::vector<char> scratch( 16384 );
				passwd entry;
				passwd* pFound = nullptr;
				int iError;
				while ( ( iError = getpwuid_r( (uid_t)iUserId, &entry, scratch.data(), scratch.size(), &pFound ) ) == ERANGE && scratch.size() < ( 1u << 20 ) )
					scratch.resize( scratch.size() * 2 );

				if ( iError != 0 || !pFound || !pFound->pw_name )
					return "<UNKNOWN>";

				return pFound->pw_name;
			}

			void SpawnDetached( const BString& strProgram, const String::List& args )
			{
				// Everything the children need is prepared before forking, so nothing is
				// allocated between fork and exec.
				std::vector<char*> argv;
				for ( const BString& arg : args )
					argv.push_back( const_cast<char*>( arg.c_str() ) );
				if ( argv.empty() )
					argv.push_back( const_cast<char*>( strProgram.c_str() ) );
				argv.push_back( nullptr );

				const char* pProgram = strProgram.c_str();

				pid_t child = fork();
				if ( child < 0 )
					return;

				if ( child == 0 )
				{
					// The grandchild runs the program; it is adopted by init once we leave.
					pid_t grandchild = fork();
					if ( grandchild == 0 )
					{
						execvp( pProgram, argv.data() );
						_exit( 127 );
					}
					_exit( grandchild < 0 ? 1 : 0 );
				}

				// The middle child exits at once; reap it so it leaves no zombie.
				int iStatus;
				while ( waitpid( child, &iStatus, 0 ) < 0 && errno == EINTR )
				{
				}
			}

			void OpenWebpageWith( const BString& strOpener, const BString& strURL )
			{
				// The address is the opener's argument, never text for a shell.
				SpawnDetached( strOpener, { strOpener, strURL } );
			}

			BString UniqueTempPath()
			{
				// Process id, a counter and the clock's nanoseconds: distinct across processes
				// and calls, and checked against what exists.
				static std::atomic<unsigned int> s_iCounter { 0 };

				for ( int iTry = 0; iTry < 100; iTry++ )
				{
					timespec now;
					clock_gettime( CLOCK_REALTIME, &now );
					char name[96];
					snprintf( name, sizeof( name ), "%s/kst%lx_%x_%08lx", P_tmpdir, (unsigned long)getpid(),
						s_iCounter.fetch_add( 1 ), (unsigned long)now.tv_nsec );

					struct stat info;
					if ( lstat( name, &info ) != 0 && errno == ENOENT )
						return name;
				}

				return BString( P_tmpdir ) + "/kst_unavailable";
			}

			void SleepMilliseconds( unsigned int ms )
			{
				timespec wait;
				wait.tv_sec = ms / 1000;
				wait.tv_nsec = (long)( ms % 1000 ) * 1000000L;
				while ( nanosleep( &wait, &wait ) != 0 && errno == EINTR )
				{
				}
			}
		}
	}
}
