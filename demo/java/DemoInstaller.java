import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.charset.Charset;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The demo installer's one job: show what the launcher handed over, one fact per line in a
 * form a test can match exactly, then end with the exit code the response file asks for.
 */
final class DemoInstaller {
  private static final String PRODUCT = "Vantora Demo";
  private static final Pattern EXIT_CODE = Pattern.compile("\\s*exitCode\\s*=\\s*(-?\\d{1,9})\\s*");

  private DemoInstaller() {}

  static int install(String mainClass, String[] args) {
    System.out.println("main=" + mainClass);
    for (int i = 0; i < args.length; i++) {
      System.out.println("arg[" + i + "]=" + args[i]);
    }
    System.out.println("user.dir=" + System.getProperty("user.dir"));
    System.out.println("java.home=" + System.getProperty("java.home"));
    System.out.println("java.class.path=" + System.getProperty("java.class.path"));
    System.out.println("java.io.tmpdir=" + System.getProperty("java.io.tmpdir"));
    for (String option : ManagementFactory.getRuntimeMXBean().getInputArguments()) {
      System.out.println("jvm.option=" + option);
    }
    // Properties a caller sets for the demo through the launcher's JVM parameters.
    System.getProperties().stringPropertyNames().stream()
        .filter(name -> name.startsWith("demo."))
        .sorted()
        .forEach(name -> System.out.println("property " + name + "=" + System.getProperty(name)));

    List<String> arguments = List.of(args);
    int exitCode = 0;
    int options = arguments.indexOf("-options");
    if (options >= 0 && options + 1 < args.length) {
      exitCode = readResponseFile(args[options + 1]);
    }
    // The demo never prompts, so it can never hang on a closed or redirected standard input.
    if (arguments.contains("-silent")) {
      System.out.println("silent");
    } else {
      System.out.println("Installing " + PRODUCT + "...");
      System.out.println("Done.");
    }
    System.out.println("exitCode=" + exitCode);
    return exitCode;
  }

  /** Prints the response file line by line and returns its exitCode entry (0 without one). */
  private static int readResponseFile(String name) {
    // A relative name means the installer's working folder, as for any file a user names.
    Path file = Path.of(System.getProperty("user.dir")).resolve(name);
    System.out.println("options.file=" + file);
    String content;
    try {
      content = new String(Files.readAllBytes(file), Charset.defaultCharset());
    } catch (IOException e) {
      System.out.println("options.error=" + e);
      return 1;
    }
    int exitCode = 0;
    for (String line : content.split("\\R")) {
      System.out.println("options.line=" + line);
      Matcher match = EXIT_CODE.matcher(line);
      if (match.matches()) {
        exitCode = Integer.parseInt(match.group(1));
      }
    }
    return exitCode;
  }
}
