unit TinyLib.Core;

interface

function Greeting(const AName: string): string;

implementation

function Greeting(const AName: string): string;
begin
  Result := 'Hello, ' + AName;
end;

end.
